#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <string>

#include "platform/rm/mesh_builder.h"
#include "platform/rm/xfile_data_check.h"
#include "support/temp_dir.h"

namespace roamer::rm {
namespace {

bool Bounded(const std::string& file) {
    return XFileDataIsBounded({reinterpret_cast<const unsigned char*>(file.data()), file.size()});
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

std::string Little(std::uint32_t value, int size) {
    std::string bytes;
    for (int k = 0; k < size; ++k) bytes.push_back(static_cast<char>((value >> (8 * k)) & 0xFF));
    return bytes;
}

std::string Name(const std::string& name) {
    return Little(1, 2) + Little(static_cast<std::uint32_t>(name.size()), 4) + name;
}
std::string Brace(bool open) { return Little(open ? 0x0A : 0x0B, 2); }
std::string IntList(std::initializer_list<std::uint32_t> values) {
    std::string bytes = Little(6, 2) + Little(static_cast<std::uint32_t>(values.size()), 4);
    for (std::uint32_t value : values) bytes += Little(value, 4);
    return bytes;
}
std::string FloatList(std::uint32_t count) {
    return Little(7, 2) + Little(count, 4) + std::string(count * 4, '\0');
}

const std::string kTextMesh =
    "xof 0302txt 0032\n"
    "Mesh m {\n 3; -1.5;0;0;, 0;-1;0;, 1;0;-2e-1;;\n 1; 3;0,1,2;;\n"
    " MeshNormals { 1; 0;0;-1;; 1; 3;0,0,0;; }\n"
    " MeshMaterialList { 1; 1; 0;; Material { 1;0;0;1;; 0; 0;0;0;; 0;0;0;; } }\n}\n";

TEST(XFileData, CountsAndIndicesAreNeverNegativeOrOutOfRange) {
    ASSERT_TRUE(Bounded(kTextMesh));  // negative coordinates are fine
    const std::pair<const char*, const char*> broken[] = {
        {"3; -1.5", "-3; -1.5"},           // vertex count
        {"1; 3;0,1,2", "-1; 3;0,1,2"},     // face count
        {"1; 3;0,1,2", "1; -3;0,1,2"},     // corner count
        {"3;0,1,2", "3;0,1,-2"},           // vertex index
        {"3;0,1,2", "3;0,1,3"},            // past the last vertex
        {"{ 1; 0;0;-1", "{ -1; 0;0;-1"},   // normal count
        {"3;0,0,0", "3;0,0,1"},            // past the last normal
        {"3;0,0,0", "2;0,0"},              // not the face's corners
        {"{ 1; 1; 0;;", "{ -1; 1; 0;;"},   // material count
        {"{ 1; 1; 0;;", "{ 1; 1; -1;;"},   // material index
        {"3; -1.5", "30; -1.5"},           // more vertices than the data left can hold
        {"3; -1.5", "4294967296; -1.5"},   // beyond 32 bits
    };
    for (const auto& [from, to] : broken) {
        EXPECT_FALSE(Bounded(Replaced(kTextMesh, from, to))) << to;
    }
}

// A triangle's three vertices and one face of `corners` corners, all on the first vertex.
std::string OneFace(std::size_t corners) {
    std::string face = std::to_string(corners) + ";";
    for (std::size_t k = 1; k < corners; ++k) face += "0,";
    return "xof 0302txt 0032\nMesh m {\n 3; 0;0;0;, 0;1;0;, 1;0;0;;\n 1;\n" + face + "0;;\n}\n";
}

TEST(XFileData, AModelHoldsAtMostTwoMillionCorners) {
    // Small as text, costly for the model library.
    EXPECT_TRUE(Bounded(OneFace(3)));
    EXPECT_TRUE(Bounded(OneFace(2u * 1024u * 1024u)));
    EXPECT_FALSE(Bounded(OneFace(2u * 1024u * 1024u + 1u)));
}

TEST(XFileData, BinaryNumbersComeFromNumberListsOnly) {
    const std::string header = "xof 0302bin 0032";
    const std::string faces = IntList({1, 3, 0, 1, 2});
    const std::string mesh = Name("Mesh") + Brace(true) + IntList({3}) + FloatList(9);
    EXPECT_TRUE(Bounded(header + mesh + faces + Brace(false)));
    // The model library takes a name's length and letters for the face and corner counts.
    EXPECT_FALSE(Bounded(header + mesh + Name("MeshMaterialList") + faces + Brace(false)));
    // Fewer floats than the vertices need: the library would read on into the face list.
    EXPECT_FALSE(Bounded(header + Name("Mesh") + Brace(true) + IntList({3}) + FloatList(8) +
                         faces + Brace(false)));
    EXPECT_FALSE(Bounded(header + Name("Mesh") + Brace(true) + IntList({1000}) + FloatList(9) +
                         faces + Brace(false)));
}

// A compressed .x file as its writers make it: each block holds its inflated size, its own size
// and a deflate stream (stored here, which inflates to itself).
std::string Compressed(const std::string& file, std::size_t blockSize) {
    std::string data = file.substr(16);
    std::string out = file.substr(0, 8) + (file.compare(8, 4, "txt ") == 0 ? "tzip" : "bzip") +
                      file.substr(12, 4) + Little(static_cast<std::uint32_t>(file.size()), 4);
    for (std::size_t at = 0; at < data.size(); at += blockSize) {
        const std::string block = data.substr(at, blockSize);
        const auto size = static_cast<std::uint32_t>(block.size());
        out += Little(size, 2) + Little(size + 5 + 2, 2) + "CK";
        out += "\x01" + Little(size, 2) + Little(~size & 0xFFFF, 2) + block;
    }
    return out;
}

std::string ReadFixture(const std::string& name) {
    const char* root = std::getenv("ROAMER_TEST_DATA");
    return test::ReadWholeFile(std::string(root != nullptr ? root : "tests/data") + "/models/" +
                               name);
}

TEST(ModelLoader, CompressedFilesLoadAsTheFilesTheyInflateTo) {
    test::TempDir dir;
    for (const char* name : {"chair.x", "binary.x"}) {
        SCOPED_TRACE(name);
        const std::string plain = ReadFixture(name);
        MeshBuilder expected;
        ASSERT_EQ(expected.Load(dir.Write(std::string("plain_") + name, plain)), D3DRM_OK);
        MeshBuilder mesh;
        ASSERT_EQ(mesh.Load(dir.Write(name, Compressed(plain, 100))), D3DRM_OK);
        ASSERT_EQ(mesh.GetFaceCount(), expected.GetFaceCount());
        Vector3 got, want;
        mesh.Faces()[0]->GetVertex(1, &got, nullptr);
        expected.Faces()[0]->GetVertex(1, &want, nullptr);
        EXPECT_EQ(got, want);
        // Cut short, or with a block that claims more bytes than follow.
        const std::string compressed = Compressed(plain, 100);
        EXPECT_EQ(mesh.Load(dir.Write("cut.x", compressed.substr(0, compressed.size() - 40))),
                  D3DRMERR_BADFILE);
        std::string claims = compressed;
        claims[23] = '\x7F';  // the first block's length
        EXPECT_EQ(mesh.Load(dir.Write("claims.x", claims)), D3DRMERR_BADFILE);
    }
}

}  // namespace
}  // namespace roamer::rm
