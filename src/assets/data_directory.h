// Where the show's data set is. The places looked in, in order: the directory named on the command
// line (then the only one); data/ in the working directory; the installed set beside the program
// (bin/../share/ninescenes/data, found from the program's own file, so that an installed tree runs
// wherever it is moved or unpacked); and, for a program run from the tree it was built in, the data/
// that build generates in the source tree.
#pragma once

#include <string>
#include <vector>

// What a program knows of where it runs and how it was built and installed.
struct DataPlaces {
    std::string program;         // the running program's file; empty when it cannot be read
    std::string build_tree;      // the tree it was built in
    std::string source_tree;     // the source tree, whose data/ the build generates
    std::string installed_data;  // the installed data set, relative to the program's directory
};

// This program's places: the running program from /proc/self/exe, the rest as the build set them.
DataPlaces this_program_places();

// The directories to look in, in order; given is the directory named on the command line or null.
std::vector<std::string> data_candidates(const char* given, const DataPlaces& places);

// The directory the pictures, meshes and music are read from; "data" until find_data_directory.
extern std::string data_directory;

// Picks the first candidate that is a directory. When none is, prints one line naming every place
// looked in on standard error and returns false.
bool find_data_directory(const char* given = nullptr, const DataPlaces& places = this_program_places());

// The path of a file of the data set: data_directory/name.
std::string data_file(const std::string& name);
