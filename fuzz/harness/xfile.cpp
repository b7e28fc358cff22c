// A .x model as furniture loads it: our layout and count checks, then the model library's load
// of whatever they pass. Textures it names are looked for beside it.
#include <cstddef>
#include <cstdint>

#include "harness/harness.h"
#include "platform/rm/model_loader.h"
#include "harness/memory_input.h"

namespace {

struct Fixture {
    roamer::fuzz::MemoryInput input;
    roamer::fuzz::FuzzTree tree;
    std::string path;
    Fixture() {
        tree.CopyFolder("tests/data/models", ".");
        path = tree.Link("input.x", input);
    }
};

}  // namespace

namespace roamer::fuzz {

bool FuzzXFile(const std::uint8_t* data, std::size_t size) {
    static Fixture fixture;
    fixture.input.Set(data, size);
    std::vector<std::shared_ptr<roamer::rm::Face>> faces;
    const roamer::rm::Status status = roamer::rm::LoadModelFaces(fixture.path, &faces);
    if (roamer::rm::Failed(status) != faces.empty()) return false;
    return true;
}

}  // namespace roamer::fuzz
