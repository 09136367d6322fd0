#include <cerrno>
#include <cstdio>
#include <cstring>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "cli/calc_cli.h"
#include "cli/command_line.h"

namespace {

// False when the text could not all be written, which a full disk or a
// closed pipe only shows when the stream is flushed.
bool Write(const std::string& text, std::FILE* stream) {
    return std::fwrite(text.data(), 1, text.size(), stream) == text.size() && std::fflush(stream) == 0;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // The output is bytes, the same on every system: CSV's CRLF and the
    // table's LF as written. A stream in the C library's default text mode
    // would turn each LF into CRLF, and CSV's CRLF into CR CR LF.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    std::string out, err;
    const int status = RunCalculatorCli(CommandLineArguments(argc, argv), out, err);
    const bool written = Write(out, stdout);
    const int error = errno;
    Write(err, stderr);
    if (!written) {
        Write("corvalin-calc: cannot write the output: " + std::string(std::strerror(error)) + "\n", stderr);
        return 1;
    }
    return status;
}
