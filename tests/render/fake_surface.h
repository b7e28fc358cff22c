#pragma once

#include <memory>
#include <vector>

#include "platform/rm/device.h"
#include "platform/rm/render_surface.h"

namespace roamer::render::test {

// A device that only counts what it is asked to do; its back buffer is a plain picture.
class CountingDevice final : public rm::Device {
public:
    CountingDevice(int width, int height) : m_width(width), m_height(height) {}
    int GetWidth() const override { return m_width; }
    int GetHeight() const override { return m_height; }
    rm::Status Clear(const rm::Viewport&) override { return ++clears, 0; }
    rm::Status Render(const rm::Viewport&, const rm::Frame&) override { return ++renders, 0; }
    rm::Status Update() override { return ++updates, 0; }
    rm::Status ReadBackBuffer(rm::Picture* picture) override {
        picture->width = m_width;
        picture->height = m_height;
        picture->rgba.assign(static_cast<std::size_t>(m_width * m_height * 4), 0x80);
        return 0;
    }
    rm::Status WriteBackBuffer(const rm::Picture&) override { return ++writes, 0; }

    int clears = 0, renders = 0, updates = 0, writes = 0;

private:
    int m_width;
    int m_height;
};

// A surface with a chosen colour depth and driver list whose devices count their calls.
class FakeSurface final : public rm::RenderSurface {
public:
    int GetDepth() const override { return depth; }
    bool GetDisplayMode(rm::DisplayMode* mode) const override {
        *mode = {1024, 768, depth};
        return true;
    }
    bool MakeCurrent() override { return true; }
    std::vector<rm::DriverDescription> EnumerateDrivers() override { return drivers; }
    rm::Status CreateDevice(const rm::DriverDescription& driver, int width, int height,
                            std::unique_ptr<rm::Device>* device) override {
        chosenDrivers.push_back(driver.name);
        if (failDevices) return failStatus;
        auto made = std::make_unique<CountingDevice>(width, height);
        lastDevice = made.get();
        *device = std::move(made);
        return 0;
    }

    int depth = 32;
    std::vector<rm::DriverDescription> drivers = {
        {"RGB Emulation", "software", false, 0x300, 0x200, true, 3}};
    bool failDevices = false;
    rm::Status failStatus = static_cast<rm::Status>(0x88760000u + 789);
    std::vector<std::string> chosenDrivers;
    CountingDevice* lastDevice = nullptr;
};

}  // namespace roamer::render::test
