// The one translation unit that compiles tinygltf's implementation (its stb parts are switched
// off for every user of the header in CMakeLists.txt: images are PNG through libpng here).
#define TINYGLTF_IMPLEMENTATION
#include <tiny_gltf.h>
