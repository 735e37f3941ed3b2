// Where the show's data set is: data/ in the working directory, or else the one the build generated
// in the repository the program was built from, so the show runs from any directory.
#pragma once

#include <string>

// The repository the program was built from: its build generates data/ there.
extern const char* const built_repository_root;

// The directory the pictures, meshes and music are read from; "data" until find_data_directory.
extern std::string data_directory;

// Picks data/ in the working directory if there is one, else repository_root/data; when neither is
// a directory, prints one line naming both places on standard error and returns false.
bool find_data_directory(const char* repository_root = built_repository_root);

// The path of a file of the data set: data_directory/name.
std::string data_file(const std::string& name);
