// One print file made through the engine, for the benchmark's side-by-side
// runs until the command line takes the job (`corvalin-calc --print-file`):
//   print_file_job IMAGE OUT FACE_WIDTH_NM FACE_LENGTH_NM SIDE_NM [TURN_OVER_NM
//                  [mirror|stretch|solid|image [none|lzw|deflate]]]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "print/make_print_file.h"

int main(int argc, char** argv) {
    if (argc < 6) {
        std::fprintf(stderr, "usage: %s IMAGE OUT FACE_WIDTH_NM FACE_LENGTH_NM SIDE_NM [TURN_OVER_NM [EDGE [COMPRESSION]]]\n",
                     argv[0]);
        return 2;
    }
    PrintRequest request;
    request.input = argv[1];
    request.output = argv[2];
    request.faceWidth = std::atoll(argv[3]);
    request.faceLength = std::atoll(argv[4]);
    request.side = std::atoll(argv[5]);
    request.turnOver = argc > 6 ? std::atoll(argv[6]) : 0;
    const std::string edge = argc > 7 ? argv[7] : "mirror";
    request.edge = edge == "stretch" ? EdgeKind::Stretch
                   : edge == "solid" ? EdgeKind::Solid
                   : edge == "image" ? EdgeKind::Image
                                     : EdgeKind::Mirror;
    const std::string compression = argc > 8 ? argv[8] : "none";
    request.compression = compression == "lzw"       ? TiffCompression::Lzw
                          : compression == "deflate" ? TiffCompression::Deflate
                                                     : TiffCompression::None;
    std::string error;
    if (!MakePrintFile(request, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    return 0;
}
