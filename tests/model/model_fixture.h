#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/room_design.h"
#include "platform/recording_host.h"
#include "platform/rm/retained_mode.h"

namespace roamer::test {

// A scene with a room frame and what building a design into it needs.
struct ModelScene {
    rm::RetainedMode d3drm;
    std::unique_ptr<rm::Frame> scene = d3drm.CreateScene();
    rm::Frame* room = scene->CreateChild();
    RecordingHost host;
};

// A binary PPM picture of one colour.
std::string PpmImage(int width, int height, unsigned char r = 0x20, unsigned char g = 0x80,
                     unsigned char b = 0x40);

// A rectangle's corners in the plane of `normal` (a face object's ZNormal).
std::vector<rm::Vector3> Rectangle(rm::Vector3 a, rm::Vector3 b, rm::Vector3 c, rm::Vector3 d);

// A surface group holding one polygon with these vertices and normals.
std::unique_ptr<model::CFaceObj> SurfaceGroup(rm::RetainedMode& d3drm,
                                              std::vector<rm::Vector3> vertices,
                                              rm::Vector3 yNormal, rm::Vector3 zNormal);

std::string TestData(const std::string& relative);

}  // namespace roamer::test
