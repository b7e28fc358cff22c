#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/rm/mesh_builder.h"
#include "platform/rm/xfile_layout.h"
#include "support/temp_dir.h"

namespace roamer::rm {
namespace {

std::string Fixture(const std::string& name) {
    const char* root = std::getenv("ROAMER_TEST_DATA");
    return std::string(root != nullptr ? root : "tests/data") + "/models/" + name;
}

void ExpectVertex(const Face& face, int index, Vector3 expected) {
    Vector3 position;
    ASSERT_EQ(face.GetVertex(index, &position, nullptr), D3DRM_OK);
    EXPECT_NEAR(position.x, expected.x, 1e-5f);
    EXPECT_NEAR(position.y, expected.y, 1e-5f);
    EXPECT_NEAR(position.z, expected.z, 1e-5f);
}

TEST(ModelLoader, TextFileStartingWithAMeshLoadsThatMeshAsWritten) {
    MeshBuilder mesh;
    ASSERT_EQ(mesh.Load(Fixture("chair.x")), D3DRM_OK);
    ASSERT_EQ(mesh.GetFaceCount(), 2);  // the frame after the mesh is not loaded
    const Face& triangle = *mesh.Faces()[0];
    const Face& quad = *mesh.Faces()[1];
    ASSERT_EQ(triangle.GetVertexCount(), 3);
    ASSERT_EQ(quad.GetVertexCount(), 4);
    // Coordinates and vertex order as in the file: the front side stays where it was.
    ExpectVertex(triangle, 0, {0, 0, 1});
    ExpectVertex(triangle, 1, {0, 1, 1});
    ExpectVertex(triangle, 2, {1, 0, 1});
    ExpectVertex(quad, 0, {0, 0, 2});
    ExpectVertex(quad, 3, {0, 0, 1});
    EXPECT_EQ(triangle.Normal(), (Vector3{0, 0, -1}));

    // Material RGBA 1, 0, 0, 0.1 truncates to 0x19FF0000; the texture is found next to the
    // model although its name differs in case.
    EXPECT_EQ(triangle.GetColor(), 0x19FF0000u);
    ASSERT_NE(triangle.GetTexture(), nullptr);
    EXPECT_EQ(triangle.GetTexture()->GetImage().PixelRGB(0, 0), 0xFF0000u);
    EXPECT_EQ(triangle.GetTexture(), quad.GetTexture());
    float u = 0;
    float v = 0;
    quad.GetTextureCoordinates(0, &u, &v);
    EXPECT_FLOAT_EQ(u, 0.25f);
    EXPECT_FLOAT_EQ(v, 0.75f);

    // No normals in the file: shared vertices get the normalised sum of the face normals.
    Vector3 normal;
    triangle.GetVertex(0, nullptr, &normal);
    EXPECT_NEAR(normal.x, -0.7071068f, 1e-5f);
    EXPECT_NEAR(normal.y, 0.0f, 1e-5f);
    EXPECT_NEAR(normal.z, -0.7071068f, 1e-5f);
    triangle.GetVertex(2, nullptr, &normal);
    EXPECT_EQ(normal, (Vector3{0, 0, -1}));
}

TEST(ModelLoader, FramesAreFlattenedWithTheirTransforms) {
    MeshBuilder mesh;
    ASSERT_EQ(mesh.Load(Fixture("frames.x")), D3DRM_OK);
    ASSERT_EQ(mesh.GetFaceCount(), 2);
    ExpectVertex(*mesh.Faces()[0], 0, {10, 0, 5});
    Vector3 normal;
    mesh.Faces()[0]->GetVertex(0, nullptr, &normal);
    EXPECT_NEAR(normal.z, -1.0f, 1e-5f);
    // The child frame turns its +z onto the parent's +x and lifts it by 2.
    const Face& turned = *mesh.Faces()[1];
    ExpectVertex(turned, 0, {11, 2, 0});
    ExpectVertex(turned, 1, {11, 3, 0});
    ExpectVertex(turned, 2, {11, 2, -1});
    EXPECT_NEAR(turned.Normal().x, -1.0f, 1e-5f);
    EXPECT_EQ(turned.GetColor(), 0xFFFFFFFFu);  // no material: white
    EXPECT_EQ(turned.GetTexture(), nullptr);
}

TEST(ModelLoader, BinaryFilesLoadWithMaterialAlpha) {
    MeshBuilder mesh;
    ASSERT_EQ(mesh.Load(Fixture("binary.x")), D3DRM_OK);
    ASSERT_EQ(mesh.GetFaceCount(), 1);
    ExpectVertex(*mesh.Faces()[0], 2, {2, 2, 0});
    EXPECT_EQ(mesh.Faces()[0]->GetColor(), 0x7F00FF00u);
}

TEST(ModelLoader, UnreadableFilesGiveStatusesAndKeepTheMesh) {
    test::TempDir dir;
    MeshBuilder mesh;
    mesh.CreateFace()->AddVertex(0, 0, 0);
    EXPECT_EQ(mesh.Load(dir.File("missing.x")), D3DRMERR_FILENOTFOUND);
    EXPECT_EQ(mesh.Load(dir.Path()), D3DRMERR_FILENOTFOUND);
    EXPECT_EQ(mesh.Load(dir.Write("empty.x", "")), D3DRMERR_BADFILE);
    EXPECT_EQ(mesh.Load(dir.Write("junk.x", "xof 0302txt 0032\nMesh { 99999999; 1;2;")),
              D3DRMERR_BADFILE);
    EXPECT_EQ(mesh.Load(dir.Write("index.x",
                                  "xof 0302txt 0032\nMesh m { 3; 0;0;0;, 0;1;0;, 1;0;0;; "
                                  "1; 3; 0, 1, 7;; }\n")),
              D3DRMERR_BADFILE);
    EXPECT_EQ(mesh.Load(dir.Write("noise.obj", std::string(300, '\x01'))), D3DRMERR_BADFILE);
    // Frames nested far deeper than any model: the model library would recurse off its stack.
    std::string deepText = "xof 0302txt 0032\n";
    for (int i = 0; i < 50000; ++i) deepText += "Frame a {\n";
    EXPECT_EQ(mesh.Load(dir.Write("deep.x", deepText + std::string(50000, '}'))),
              D3DRMERR_BADFILE);
    std::string deepBinary = "xof 0302bin 0032";
    for (int i = 0; i < 50000; ++i) deepBinary += std::string("\x01\x00\x01\x00\x00\x00F\x0a\x00", 9);
    EXPECT_EQ(mesh.Load(dir.Write("deep_binary.x", deepBinary)), D3DRMERR_BADFILE);
    // The same nesting behind something the scan cannot follow: a stray number, an open quote.
    std::string nest;
    for (int i = 0; i < 50000; ++i) nest += "Frame a {\n";
    EXPECT_EQ(mesh.Load(dir.Write("stray.x", "xof 0302txt 0032\n1 { }\n" + nest)), D3DRMERR_BADFILE);
    EXPECT_EQ(mesh.Load(dir.Write("quote.x", "xof 0302txt 0032\nFrame \"a {\n" + nest)),
              D3DRMERR_BADFILE);
    EXPECT_EQ(mesh.GetFaceCount(), 1);
}

TEST(XFileLayout, ScansTopLevelObjectsOfTextAndBinaryFiles) {
    const std::string text =
        "xof 0302txt 0032\ntemplate T { <12345678-62DA-11cf-AB39-0020AF71E433> }\n"
        "# a comment with { brace\nMesh m { 1; \"}\"; }\nFrame f { Mesh { } }\n";
    const XFileLayout layout = ScanXFileLayout(
        {reinterpret_cast<const unsigned char*>(text.data()), text.size()});
    ASSERT_TRUE(layout.isXFile);
    ASSERT_TRUE(layout.complete);
    EXPECT_TRUE(layout.parseable);
    ASSERT_EQ(layout.objects.size(), 3u);
    EXPECT_EQ(layout.objects[0].type, "template");
    EXPECT_EQ(layout.objects[1].type, "Mesh");
    EXPECT_EQ(layout.objects[2].type, "Frame");

    // A binary list whose count runs past the end is not trusted.
    std::string binary = "xof 0302bin 0032";
    binary += std::string("\x01\x00\x04\x00\x00\x00Mesh\x0a\x00\x06\x00\xff\xff\xff\x7f", 18);
    const XFileLayout broken = ScanXFileLayout(
        {reinterpret_cast<const unsigned char*>(binary.data()), binary.size()});
    EXPECT_TRUE(broken.isXFile);
    EXPECT_FALSE(broken.complete);
    EXPECT_FALSE(broken.parseable);

    // A word that is no token (0, after the vertex count and an empty float list): the library
    // takes the four bytes after it for the face count, here 100 million.
    std::string noToken = "xof 0302bin 0032";
    noToken += std::string("\x01\x00\x04\x00\x00\x00Mesh\x0a\x00\x06\x00\x01\x00\x00\x00\x03\x00\x00\x00"
                           "\x07\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x06\x0b\x00", 36);
    const XFileLayout unknown = ScanXFileLayout(
        {reinterpret_cast<const unsigned char*>(noToken.data()), noToken.size()});
    EXPECT_FALSE(unknown.parseable);

    // A count larger than the file itself cannot be real.
    const std::string huge = "xof 0302txt 0032\nMesh m { 99999999; 1.5e3; }\n";
    EXPECT_FALSE(ScanXFileLayout({reinterpret_cast<const unsigned char*>(huge.data()), huge.size()})
                     .parseable);
}

// The model library reads the first entry of a mesh's material list even when the list holds no
// material it took: such a file must be refused, one with a material or a reference kept.
TEST(XFileLayout, MaterialListsWithoutAMaterialAreRefused) {
    const auto parseable = [](const std::string& list) {
        const std::string text = "xof 0302txt 0032\nMesh m { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; "
                                 "MeshMaterialList { " + list + " } }\n";
        return ScanXFileLayout({reinterpret_cast<const unsigned char*>(text.data()), text.size()})
            .parseable;
    };
    EXPECT_TRUE(parseable("1; 1; 0;; Material Red { 1;0;0;1;; 0; 0;0;0;; 0;0;0;; }"));
    EXPECT_TRUE(parseable("1; 1; 0;; Material { 1;0;0;1;; 0; 0;0;0;; 0;0;0;; }"));
    EXPECT_TRUE(parseable("1; 1; 0;; { Red }"));
    EXPECT_TRUE(parseable("1; 1; 0;; Material 01_Default { 1;0;0;1;; 0; 0;0;0;; 0;0;0;; }"));
    EXPECT_TRUE(parseable("1; 1; 0;; Material 7 { 1;0;0;1;; 0; 0;0;0;; 0;0;0;; }"));
    EXPECT_TRUE(parseable("2; 1; 0;; Foo { } {Red}"));  // one unknown object, then a reference
    EXPECT_FALSE(parseable("1; 1; 0;;"));
    const std::string declared =
        "xof 0302txt 0032\ntemplate MeshMaterialList { <F6F23F42-7686-11CF-8F52-0040333594A3>\n"
        " DWORD nMaterials; DWORD nFaceIndexes; array DWORD faceIndexes[nFaceIndexes]; [Material] }\n";
    EXPECT_TRUE(ScanXFileLayout({reinterpret_cast<const unsigned char*>(declared.data()),
                                 declared.size()})
                    .parseable);  // a template declares the layout and holds no list
    EXPECT_FALSE(parseable("1; 1; 0;; Foo { Red }"));           // an unknown object, no material
    EXPECT_FALSE(parseable("1; 1; 0;; 5 Material Red { }"));    // a stray number swallows it
    EXPECT_FALSE(parseable("1; 1; 0;;, Material Red { }"));     // so does a stray comma
    EXPECT_FALSE(parseable("1; 1; 0;; \"x\" { Red }"));
    EXPECT_FALSE(parseable("1; 1; 0;; \x1a{ Red }"));          // a control character is no blank
    EXPECT_FALSE(parseable("1; 2; 0;; Material Red { }"));      // fewer indices than counted

    // The same in a binary file: a list of the counts and the index, then what follows.
    const auto binary = [](const std::string& after) {
        std::string b = "xof 0302bin 0032";
        b += std::string("\x01\x00\x04\x00\x00\x00Mesh\x0a\x00", 12);
        b += std::string("\x01\x00\x10\x00\x00\x00MeshMaterialList\x0a\x00", 24);
        b += std::string("\x06\x00\x03\x00\x00\x00\x01\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00", 18);
        b += after + std::string("\x0b\x00\x0b\x00", 4);
        return ScanXFileLayout({reinterpret_cast<const unsigned char*>(b.data()), b.size()})
            .parseable;
    };
    EXPECT_TRUE(binary(std::string("\x0a\x00\x01\x00\x03\x00\x00\x00Red\x0b\x00", 13)));
    EXPECT_TRUE(binary(std::string("\x01\x00\x08\x00\x00\x00Material\x0a\x00\x0b\x00", 18)));
    EXPECT_FALSE(binary(""));
    EXPECT_FALSE(binary(std::string("\x01\x00\x03\x00\x00\x00Foo\x0a\x00\x0b\x00", 13)));

    // Loading one gives a status, not a crash.
    test::TempDir dir;
    MeshBuilder mesh;
    EXPECT_EQ(mesh.Load(dir.Write("nomaterial.x",
                                  "xof 0302txt 0032\nMesh m { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; "
                                  "MeshMaterialList { 1; 1; 0;; } }\n")),
              D3DRMERR_BADFILE);
}

}  // namespace
}  // namespace roamer::rm
