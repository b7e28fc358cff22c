#include "render/scene_light.h"

#include <cmath>

#include <gtest/gtest.h>

#include "render/angles.h"

namespace roamer::render {
namespace {

class SceneLightTest : public ::testing::Test {
protected:
    rm::Vector3 Facing(const CLight& light) {
        rm::Vector3 direction, up;
        light.GetLightFrame()->GetOrientation(light.GetParentFrame(), &direction, &up);
        return direction;
    }
    rm::RetainedMode d3drm;
    rm::Frame scene;
    rm::Frame* room = scene.CreateChild();
    CLightList lights{d3drm, &scene};
};

TEST_F(SceneLightTest, HeadingsAreNormalisedAndFaced) {
    CLight* light = lights.AddLight(room, rm::D3DRMLIGHT_SPOT, 0xFFFFFFFF);
    for (double full : {0.0, 6.2831852, 6.2831855}) {
        light->SetAngleXZ(full);
        EXPECT_EQ(light->GetAngleXZ(), 0.0) << full;
        EXPECT_NEAR(Facing(*light).z, 1.0f, 1e-6f);
    }
    light->SetAngleXZ(-1.5707963);
    EXPECT_NEAR(light->GetAngleXZ(), 4.7123889, 1e-9);
    EXPECT_NEAR(Facing(*light).x, 1.0f, 1e-6f);  // faces +x
    light->SetAngleXZ(7.0);
    EXPECT_NEAR(light->GetAngleXZ(), 7.0 - 6.2831852, 1e-12);
    EXPECT_EQ(NormalizeHeading(-20.0), -20.0 + kTwoPi);  // one step only

    // The beam starts straight down.
    rm::Vector3 direction, up;
    light->GetBeamFrame()->GetOrientation(light->GetLightFrame(), &direction, &up);
    EXPECT_NEAR(direction.y, -1.0f, 1e-6f);
    EXPECT_NEAR(up.z, 1.0f, 1e-6f);
    light->SetAngleYZ(0.0000005);
    EXPECT_EQ(light->GetAngleYZ(), 0.0);
}

TEST_F(SceneLightTest, ListOwnsItsLightsAndCopiesGoToTheScene) {
    CLight* spot = lights.AddLight(room, rm::D3DRMLIGHT_SPOT, 0xFF808080);
    spot->SetPosition(1.0f, 2.0f, 3.0f);
    spot->SetAngleXZ(1.0);
    spot->SetUmbra(0.2f);
    spot->SetPenumbra(0.9f);
    EXPECT_EQ(spot->GetRenderLight()->GetUmbra(), 0.2f);
    EXPECT_EQ(room->GetChildren().size(), 1u);

    std::unique_ptr<CLight> copy = lights.CopyToScene(*spot);
    EXPECT_EQ(copy->GetParentFrame(), &scene);
    EXPECT_EQ(copy->GetPosition(), rm::Vector3{});
    EXPECT_EQ(copy->GetAngleXZ(), 0.0);
    EXPECT_EQ(copy->GetAngleYZ(), CLight::kStraightDown);
    EXPECT_EQ(copy->GetPenumbra(), 0.9f);
    EXPECT_EQ(copy->GetRenderLight()->GetColor(), 0xFF808080u);
    EXPECT_EQ(lights.Count(), 1);

    // An unknown type is listed but gives no light.
    CLight* odd = lights.AddLight(room, 9, 0xFFFFFFFF);
    EXPECT_EQ(odd->GetRenderLight(), nullptr);
    EXPECT_EQ(lights.GetAt(1), odd);
    EXPECT_EQ(lights.GetAt(2), nullptr);
    EXPECT_EQ(lights.GetAt(-1), nullptr);
    lights.RemoveLight(spot);
    EXPECT_EQ(lights.Count(), 1);
    EXPECT_EQ(room->GetChildren().size(), 1u);  // the removed light's frames are gone
    lights.RemoveLight(copy.get());             // not in the list: nothing happens
    lights.RemoveAll();
    EXPECT_TRUE(room->GetChildren().empty());
}

}  // namespace
}  // namespace roamer::render
