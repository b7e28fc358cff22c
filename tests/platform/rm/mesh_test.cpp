#include <gtest/gtest.h>

#include "platform/rm/color.h"
#include "platform/rm/mesh_builder.h"
#include "platform/rm/status.h"

namespace roamer::rm {
namespace {

std::shared_ptr<Face> Triangle(Vector3 a, Vector3 b, Vector3 c) {
    auto face = std::make_shared<Face>();
    face->AddVertex(a.x, a.y, a.z);
    face->AddVertex(b.x, b.y, b.z);
    face->AddVertex(c.x, c.y, c.z);
    return face;
}

TEST(Status, CodesHaveThePlatformValues) {
    EXPECT_EQ(D3DRMERR_BADVALUE, static_cast<Status>(0x88760316u));
    EXPECT_EQ(D3DRMERR_FILENOTFOUND, -2005531885);
    EXPECT_LT(D3DRMERR_BADFILE, 0);
}

TEST(Color, ChannelsAreTruncatedAndKeptExactly) {
    EXPECT_EQ(CreateColorRGBA(0.5f, 0.5f, 0.5f, 0.5f), 0x7F7F7F7Fu);
    EXPECT_EQ(CreateColorRGBA(1.0f, 0.0f, 0.0f, 0.1f), 0x19FF0000u);
    EXPECT_EQ(CreateColorRGBA(2.0f, -1.0f, 0.0f, 1.0f), 0xFFFF0000u);
    EXPECT_FLOAT_EQ(ColorGetGreen(0x0000FF00u), 1.0f);
    Face face;
    face.SetColor(0x1F180587u);
    EXPECT_EQ(face.GetColor(), 0x1F180587u);
}

TEST(Face, NormalComesFromTheFirstThreeVerticesClockwiseFront) {
    auto face = Triangle({0, 0, 0}, {0, 1, 0}, {1, 0, 0});
    Vector3 normal;
    ASSERT_EQ(face->GetNormal(&normal), D3DRM_OK);
    EXPECT_EQ(normal, (Vector3{0, 0, -1}));
    // A vertex without a normal of its own reports the face normal.
    Vector3 position;
    ASSERT_EQ(face->GetVertex(1, &position, &normal), D3DRM_OK);
    EXPECT_EQ(position, (Vector3{0, 1, 0}));
    EXPECT_EQ(normal, (Vector3{0, 0, -1}));
    EXPECT_EQ(face->GetVertex(3, &position, &normal), D3DRMERR_BADVALUE);
    EXPECT_EQ(face->AddVertex(NAN, 0, 0), D3DRMERR_BADVALUE);
    EXPECT_EQ(face->GetVertexCount(), 3);
}

TEST(MeshBuilder, BoxScaleTranslateKeepNormals) {
    MeshBuilder mesh;
    EXPECT_EQ(mesh.AddFace(Triangle({0, 0, 0}, {0, 2, 1}, {1, 0, 0})), D3DRM_OK);
    auto second = std::make_shared<Face>();
    second->AddVertexAndNormal({-1, 0, 0}, {0, 0, -2});
    second->AddVertexAndNormal({-1, 1, 0}, {0, 0, -2});
    second->AddVertexAndNormal({0, 0, 0}, {0, 0, -2});
    mesh.AddFace(second);

    Box box;
    ASSERT_EQ(mesh.GetBox(&box), D3DRM_OK);
    EXPECT_EQ(box.min, (Vector3{-1, 0, 0}));
    EXPECT_EQ(box.max, (Vector3{1, 2, 1}));

    Vector3 faceNormal;
    mesh.Faces()[0]->GetNormal(&faceNormal);
    const std::uint64_t before = mesh.Generation();
    mesh.Scale(2, 3, 4);
    EXPECT_GT(mesh.Generation(), before);
    mesh.Translate(1, 0, 0);
    mesh.GetBox(&box);
    EXPECT_EQ(box.min, (Vector3{-1, 0, 0}));
    EXPECT_EQ(box.max, (Vector3{3, 6, 4}));

    Vector3 after;
    mesh.Faces()[0]->GetNormal(&after);
    EXPECT_EQ(after, faceNormal);
    Vector3 position;
    Vector3 vertexNormal;
    mesh.Faces()[1]->GetVertex(1, &position, &vertexNormal);
    EXPECT_EQ(position, (Vector3{-1, 3, 0}));
    EXPECT_EQ(vertexNormal, (Vector3{0, 0, -1}));

    MeshBuilder empty;
    EXPECT_EQ(empty.GetBox(&box), D3DRMERR_NOTFOUND);
}

TEST(MeshBuilder, FaceChangesBumpTheGenerationAndFacesBelongToOneMesh) {
    MeshBuilder mesh;
    auto face = Triangle({0, 0, 0}, {0, 1, 0}, {1, 0, 0});
    mesh.AddFace(face);
    std::uint64_t generation = mesh.Generation();
    face->SetColor(0xFF00FF00u);
    EXPECT_GT(mesh.Generation(), generation);
    generation = mesh.Generation();
    face->SetTextureCoordinates(0, 0.5f, 0.5f);
    EXPECT_GT(mesh.Generation(), generation);

    MeshBuilder other;
    EXPECT_EQ(other.AddFace(face), D3DRMERR_FACEUSED);
    std::shared_ptr<Face> got;
    EXPECT_EQ(mesh.GetFace(0, &got), D3DRM_OK);
    EXPECT_EQ(got, face);
    EXPECT_EQ(mesh.GetFace(1, &got), D3DRMERR_BADVALUE);
}

TEST(MeshBuilder, AddFacesChecksEveryIndexBeforeAdding) {
    MeshBuilder mesh;
    const Vector3 vertices[] = {{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}};
    const Vector3 normals[] = {{0, 0, -1}};
    const std::uint32_t broken[] = {4, 0, 0, 1, 0, 2, 0, 7, 0, 0};
    EXPECT_EQ(mesh.AddFaces(vertices, normals, broken), D3DRMERR_BADVALUE);
    const std::uint32_t truncated[] = {5, 0, 0, 1, 0};
    EXPECT_EQ(mesh.AddFaces(vertices, normals, truncated), D3DRMERR_BADVALUE);
    EXPECT_EQ(mesh.GetFaceCount(), 0);

    const std::uint32_t quadAndTriangle[] = {4, 0, 0, 1, 0, 2, 0, 3, 0, 3, 0, 0, 2, 0, 3, 0, 0};
    std::vector<std::shared_ptr<Face>> created;
    ASSERT_EQ(mesh.AddFaces(vertices, normals, quadAndTriangle, &created), D3DRM_OK);
    EXPECT_EQ(mesh.GetFaceCount(), 2);
    EXPECT_EQ(created.size(), 2u);
    EXPECT_EQ(mesh.Faces()[0]->GetVertexCount(), 4);
    const std::uint32_t withoutNormals[] = {3, 0, 1, 2, 0};
    ASSERT_EQ(mesh.AddFaces(vertices, {}, withoutNormals), D3DRM_OK);
    EXPECT_EQ(mesh.GetFaceCount(), 3);
}

TEST(MeshBuilder, CloneCopiesGeometryAndSharesTextures) {
    MeshBuilder mesh;
    auto texture = std::make_shared<Texture>(Image{1, 1, {1, 2, 3, 255}});
    auto face = Triangle({0, 0, 0}, {0, 1, 0}, {1, 0, 0});
    face->SetColor(0x80112233u);
    face->SetTexture(texture);
    mesh.AddFace(face);
    mesh.SetPerspective(true);

    auto copy = mesh.Clone();
    ASSERT_EQ(copy->GetFaceCount(), 1);
    EXPECT_NE(copy->Faces()[0], face);
    EXPECT_EQ(copy->Faces()[0]->GetColor(), 0x80112233u);
    EXPECT_EQ(copy->Faces()[0]->GetTexture(), texture);
    EXPECT_TRUE(copy->GetPerspective());
    EXPECT_NE(copy->Id(), mesh.Id());
    copy->Scale(2, 2, 2);
    Box box;
    mesh.GetBox(&box);
    EXPECT_EQ(box.max, (Vector3{1, 1, 0}));
    mesh.SetColor(0xFF000000u);
    EXPECT_EQ(copy->Faces()[0]->GetColor(), 0x80112233u);
}

}  // namespace
}  // namespace roamer::rm
