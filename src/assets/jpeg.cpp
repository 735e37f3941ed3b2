// JPEG decoding with libjpeg: messages to standard error and jpeg.err, damaged pictures refused
// before they cost time or memory.
#include "assets/jpeg.h"

#include "assets/data_file.h"

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <jpeglib.h>

// The error manager the decoder reports to: where to escape to when it gives up, and why it did.
struct DecoderErrors {
    jpeg_error_mgr library;
    std::jmp_buf escape;
    char why[JMSG_LENGTH_MAX];
};

// The decoder's progress hook counts the scans it reads; it lives beside the decoder.
struct Decoder {
    jpeg_decompress_struct library;
    DecoderErrors errors;
    jpeg_progress_mgr progress;
};

// Every decoder message goes to standard error and is appended to jpeg.err, which is opened and
// closed for each message so that nothing is lost when an error ends the program.
static void log_decoder_message(j_common_ptr decoder)
{
    char line[JMSG_LENGTH_MAX];
    (*decoder->err->format_message)(decoder, line);
    std::fprintf(stderr, "%s\n", line);
    int fd = open_regular_file(jpeg_log_path, O_WRONLY | O_APPEND | O_CREAT);
    if (fd >= 0) {
        std::string entry = std::string(line) + "\n";
        ssize_t written = write(fd, entry.data(), entry.size());
        (void)written;  // a log that cannot be written loses the line, as a missing one does
        close(fd);
    }
}

[[noreturn]] static void give_up(j_common_ptr decoder, const char* why)
{
    DecoderErrors* errors = reinterpret_cast<DecoderErrors*>(decoder->err);
    std::snprintf(errors->why, sizeof errors->why, "%s", why);
    std::longjmp(errors->escape, 1);
}

// The library's own error exit prints and ends the process; this one prints the same way and
// returns to the caller with the message.
[[noreturn]] static void stop_decoding(j_common_ptr decoder)
{
    char message[JMSG_LENGTH_MAX];
    (*decoder->err->output_message)(decoder);
    (*decoder->err->format_message)(decoder, message);
    give_up(decoder, message);
}

// Progressive pictures are absorbed scan by scan inside jpeg_start_decompress; a file repeating
// its scans thousands of times would keep start-up busy for minutes.
static void limit_scans(j_common_ptr common)
{
    j_decompress_ptr decoder = reinterpret_cast<j_decompress_ptr>(common);
    if (decoder->input_scan_number > largest_scan_count)
        give_up(common, "too many scans");
}

static void set_up(Decoder& d)
{
    d.library.err = jpeg_std_error(&d.errors.library);
    d.errors.library.output_message = log_decoder_message;
    d.errors.library.error_exit = stop_decoding;
    jpeg_create_decompress(&d.library);
    d.library.mem->max_memory_to_use = largest_decoder_memory;
    d.progress = {};
    d.progress.progress_monitor = limit_scans;
    d.library.progress = &d.progress;
}

// The size and the coding are checked on the header alone: multi-scan files are buffered whole by
// jpeg_start_decompress. Greyscale pictures are widened to RGB by the decoder; anything it cannot
// deliver as RGB (CMYK, for one) stops in its error exit with a message.
static void decode(j_decompress_ptr decoder, long long max_pixels, DecodedPicture& picture)
{
    jpeg_read_header(decoder, TRUE);
    JDIMENSION width = decoder->image_width, height = decoder->image_height;
    if (width > largest_picture_side || height > largest_picture_side
        || static_cast<long long>(width) * height > max_pixels) {
        char why[JMSG_LENGTH_MAX];
        std::snprintf(why, sizeof why, "picture too large: %u x %u, at most %u on a side and %lld pixels", width,
                      height, largest_picture_side, max_pixels);
        give_up(reinterpret_cast<j_common_ptr>(decoder), why);
    }
    // Arithmetic decoding takes some twenty times as long a byte as Huffman decoding, and the
    // library the show was made for never read it.
    if (decoder->arith_code)
        give_up(reinterpret_cast<j_common_ptr>(decoder), "arithmetic-coded, not Huffman-coded");
    decoder->out_color_space = JCS_RGB;
    jpeg_start_decompress(decoder);
    if (decoder->output_components != 3)
        give_up(reinterpret_cast<j_common_ptr>(decoder), "not decodable as RGB");

    picture.width = static_cast<int>(decoder->output_width);
    picture.height = static_cast<int>(decoder->output_height);
    size_t row_bytes = static_cast<size_t>(picture.width) * 3;
    picture.rgb.assign(row_bytes * decoder->output_height, 0);
    JSAMPARRAY row = (*decoder->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(decoder), JPOOL_IMAGE,
                                                   static_cast<JDIMENSION>(row_bytes), 1);
    while (decoder->output_scanline < decoder->output_height) {
        size_t y = decoder->output_scanline;
        jpeg_read_scanlines(decoder, row, 1);
        std::memcpy(&picture.rgb[y * row_bytes], row[0], row_bytes);
    }
    jpeg_finish_decompress(decoder);
}

// Where the compressed bytes come from: an open file, or bytes in memory; size counts either.
struct Source {
    std::FILE* file;
    const unsigned char* bytes;
    size_t size;
};

// Sets the decoder up and decodes with the escape set, since attaching the source may already
// fail (an empty buffer); the decoder is destroyed on either way out.
static bool decode_guarded(const Source& source, long long max_pixels, DecodedPicture& picture, std::string& why)
{
    long long largest_bytes = largest_file_bytes(max_pixels);
    if (static_cast<long long>(source.size) > largest_bytes) {
        why = "file too large: " + std::to_string(source.size) + " bytes, at most " + std::to_string(largest_bytes)
            + " for " + std::to_string(max_pixels) + " pixels";
        return false;
    }
    Decoder d = {};
    if (setjmp(d.errors.escape)) {
        jpeg_destroy_decompress(&d.library);
        why = d.errors.why;
        return false;
    }
    set_up(d);
    if (source.file)
        jpeg_stdio_src(&d.library, source.file);
    else
        jpeg_mem_src(&d.library, source.bytes, static_cast<unsigned long>(source.size));
    decode(&d.library, max_pixels, picture);
    jpeg_destroy_decompress(&d.library);
    return true;
}

bool decode_jpeg_file(const char* path, DecodedPicture& picture, std::string& why, long long max_pixels)
{
    int fd = open_regular_file(path, O_RDONLY);
    struct stat status;
    std::FILE* file = fd >= 0 && fstat(fd, &status) == 0 ? fdopen(fd, "rb") : nullptr;
    if (!file) {
        why = open_failure(errno);
        if (fd >= 0)
            close(fd);
        return false;
    }
    bool decoded = decode_guarded({file, nullptr, static_cast<size_t>(status.st_size)}, max_pixels, picture, why);
    std::fclose(file);
    return decoded;
}

bool decode_jpeg_bytes(const unsigned char* bytes, size_t size, DecodedPicture& picture, std::string& why,
                       long long max_pixels)
{
    return decode_guarded({nullptr, bytes, size}, max_pixels, picture, why);
}

std::vector<unsigned char> load_jpeg(const char* path, int* width, int* height, long long max_pixels)
{
    DecodedPicture picture;
    std::string why;
    if (!decode_jpeg_file(path, picture, why, max_pixels)) {
        std::fprintf(stderr, "ninescenes: cannot use picture %s: %s\n", path, why.c_str());
        std::exit(1);
    }
    *width = picture.width;
    *height = picture.height;
    return std::move(picture.rgb);
}
