// The image library's decoder compiled with the fuzz targets' instrumentation, so the fuzzer
// sees coverage inside it. The program's own definitions take precedence over the shared
// library's.
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
