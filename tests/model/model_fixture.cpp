#include "model/model_fixture.h"

#include <cstdlib>

namespace roamer::test {

std::string PpmImage(int width, int height, unsigned char r, unsigned char g, unsigned char b) {
    std::string bytes = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    for (int i = 0; i < width * height; ++i) {
        bytes.push_back(static_cast<char>(r));
        bytes.push_back(static_cast<char>(g));
        bytes.push_back(static_cast<char>(b));
    }
    return bytes;
}

std::vector<rm::Vector3> Rectangle(rm::Vector3 a, rm::Vector3 b, rm::Vector3 c, rm::Vector3 d) {
    return {a, b, c, d};
}

std::unique_ptr<model::CFaceObj> SurfaceGroup(rm::RetainedMode& d3drm,
                                              std::vector<rm::Vector3> vertices,
                                              rm::Vector3 yNormal, rm::Vector3 zNormal) {
    auto group = std::make_unique<model::CFaceObj>(d3drm, model::CFaceObj::kGroup);
    auto polygon = std::make_unique<model::CFaceObj>(d3drm, model::CFaceObj::kPolygon);
    group->SetVertices(vertices);
    polygon->SetVertices(std::move(vertices));
    for (model::CFaceObj* face : {group.get(), polygon.get()}) {
        face->SetYNormal(yNormal);
        face->SetZNormal(zNormal);
    }
    group->AddSubFace(std::move(polygon));
    return group;
}

std::string TestData(const std::string& relative) {
    const char* root = std::getenv("ROAMER_TEST_DATA");
    return std::string(root ? root : "tests/data") + "/" + relative;
}

}  // namespace roamer::test
