// The tagged text primitives alone. The last twelve bytes of the input choose which readers
// run, from the last byte backwards; the bytes before them are the file.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "harness/harness.h"
#include "dsg/tagged_text_file.h"
#include "harness/memory_input.h"

namespace {

constexpr const char* kKeys[] = {"Name", "Count", "Type", "Version", "BEGIN_FACEOBJ",
                                 "END_FACEOBJ", "[HEADER_BEGIN]", "[KEY_STRING_BEGIN]"};

void RunOne(roamer::dsg::CTaggedTextFile& file, std::uint8_t op) {
    std::string text;
    std::vector<roamer::dsg::Vector3f> vectors;
    std::vector<roamer::dsg::Point2d> points;
    std::vector<double> values;
    std::vector<std::string> tokens;
    std::int32_t a = 0;
    std::int32_t b = 0;
    double x = 0.0;
    double y = 0.0;
    float f = 0.0f;
    roamer::dsg::Vector3f v;
    switch (op % 16) {
        case 0: file.ReadLine(text); break;
        case 1: file.ReadFirstToken(text); break;
        case 2: file.ReadTextToken(text); break;
        case 3: file.ReadTokenList(1u + op / 16u % 4u, tokens); break;
        case 4: file.FindKey(kKeys[op / 16u % std::size(kKeys)]); break;
        case 5: file.ReadString(text); break;
        case 6: file.ReadDouble(x); break;
        case 7: file.ReadFloat(f); break;
        case 8: file.ReadInt(a); break;
        case 9: file.ReadPoint(x, y); break;
        case 10: file.ReadIntPair(a, b); break;
        case 11: file.ReadVector(v); break;
        case 12: file.ReadVectorList(vectors); break;
        case 13: file.ReadPolyline(points); break;
        case 14: file.ReadDoubleArray(values); break;
        default: file.SetFileVersion(op & 0x80 ? 2.3 : 2.4);
    }
}

}  // namespace

namespace roamer::fuzz {

bool FuzzTaggedText(const std::uint8_t* data, std::size_t size) {
    static roamer::fuzz::MemoryInput input;
    const std::size_t opCount = std::min<std::size_t>(size, 12);
    const std::size_t textSize = size - opCount;
    input.Set(data, textSize);

    roamer::dsg::CTaggedTextFile file;
    if (!file.OpenRead(input.Path())) return false;
    // The chosen readers, then every list reader until the end of the file.
    for (std::size_t i = size; i > textSize; --i) RunOne(file, data[i - 1]);
    std::vector<roamer::dsg::Vector3f> vectors;
    std::string token;
    while (file.ReadVectorList(vectors)) {
    }
    file.Close();
    return true;
}

}  // namespace roamer::fuzz
