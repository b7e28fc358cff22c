#include "make-samples/xfile_models.h"

#include <fstream>
#include <sstream>

namespace roamer::samples {

int BoxModel::Material(std::uint32_t colour, std::string texture) {
    m_materials.push_back({colour, std::move(texture)});
    return static_cast<int>(m_materials.size()) - 1;
}

void BoxModel::Box(int material, float x0, float y0, float z0, float x1, float y1, float z1) {
    // Each side listed clockwise as seen from outside, which is the front in this left-handed
    // world: bottom left, top left, top right, bottom right of the side as one faces it.
    const float s[6][4][3] = {
        {{x0, y0, z0}, {x0, y1, z0}, {x1, y1, z0}, {x1, y0, z0}},  // facing -z
        {{x1, y0, z1}, {x1, y1, z1}, {x0, y1, z1}, {x0, y0, z1}},  // facing +z
        {{x0, y0, z1}, {x0, y1, z1}, {x0, y1, z0}, {x0, y0, z0}},  // facing -x
        {{x1, y0, z0}, {x1, y1, z0}, {x1, y1, z1}, {x1, y0, z1}},  // facing +x
        {{x0, y1, z0}, {x0, y1, z1}, {x1, y1, z1}, {x1, y1, z0}},  // facing +y
        {{x0, y0, z1}, {x0, y0, z0}, {x1, y0, z0}, {x1, y0, z1}},  // facing -y
    };
    // Texture coordinates: one repeat per 50 units along the side.
    const float w[6] = {x1 - x0, x1 - x0, z1 - z0, z1 - z0, x1 - x0, x1 - x0};
    const float h[6] = {y1 - y0, y1 - y0, y1 - y0, y1 - y0, z1 - z0, z1 - z0};
    for (int f = 0; f < 6; ++f) {
        Quad q{};
        q.material = material;
        for (int k = 0; k < 4; ++k)
            for (int c = 0; c < 3; ++c) q.v[k][c] = s[f][k][c];
        const float u = w[f] / 50.0f, v = h[f] / 50.0f;
        const float uv[4][2] = {{0, v}, {0, 0}, {u, 0}, {u, v}};
        for (int k = 0; k < 4; ++k) q.uv[k][0] = uv[k][0], q.uv[k][1] = uv[k][1];
        m_quads.push_back(q);
    }
}

bool BoxModel::Write(const std::string& path) const {
    std::ostringstream x;
    x << "xof 0302txt 0032\n";
    for (std::size_t m = 0; m < m_materials.size(); ++m) {
        const std::uint32_t c = m_materials[m].colour;
        x << "Material M" << m << " {\n " << ((c >> 16) & 0xFF) / 255.0 << ";"
          << ((c >> 8) & 0xFF) / 255.0 << ";" << (c & 0xFF) / 255.0 << ";1.0;;\n 0.0;\n"
          << " 0.0;0.0;0.0;;\n 0.0;0.0;0.0;;\n";
        if (!m_materials[m].texture.empty())
            x << " TextureFilename {\n  \"" << m_materials[m].texture << "\";\n }\n";
        x << "}\n";
    }
    const std::size_t n = m_quads.size();
    x << "Mesh model {\n " << n * 4 << ";\n";
    for (std::size_t i = 0; i < n; ++i)
        for (int k = 0; k < 4; ++k)
            x << " " << m_quads[i].v[k][0] << ";" << m_quads[i].v[k][1] << ";"
              << m_quads[i].v[k][2] << ";" << (i + 1 == n && k == 3 ? ";" : ",") << "\n";
    x << " " << n << ";\n";
    for (std::size_t i = 0; i < n; ++i)
        x << " 4;" << i * 4 << "," << i * 4 + 1 << "," << i * 4 + 2 << "," << i * 4 + 3 << ";"
          << (i + 1 == n ? ";" : ",") << "\n";
    x << " MeshMaterialList {\n  " << m_materials.size() << ";\n  " << n << ";\n";
    for (std::size_t i = 0; i < n; ++i)
        x << "  " << m_quads[i].material << (i + 1 == n ? ";;" : ",") << "\n";
    for (std::size_t m = 0; m < m_materials.size(); ++m) x << "  { M" << m << " }\n";
    x << " }\n MeshTextureCoords {\n  " << n * 4 << ";\n";
    for (std::size_t i = 0; i < n; ++i)
        for (int k = 0; k < 4; ++k)
            x << "  " << m_quads[i].uv[k][0] << ";" << m_quads[i].uv[k][1] << ";"
              << (i + 1 == n && k == 3 ? ";" : ",") << "\n";
    x << " }\n}\n";
    std::ofstream out(path, std::ios::binary);
    out << x.str();
    return static_cast<bool>(out.flush());
}

BoxModel Sofa(std::uint32_t fabric, const std::string& texture) {
    BoxModel m;
    const int cloth = m.Material(fabric, texture);
    const int wood = m.Material(0x4A3222);
    for (float x : {-95.0f, 89.0f})
        for (float z : {-40.0f, 34.0f}) m.Box(wood, x, 0, z, x + 6, 10, z + 6);
    m.Box(cloth, -100, 10, -45, 100, 42, 45);    // seat base
    m.Box(cloth, -100, 42, 25, 100, 85, 45);     // back
    m.Box(cloth, -100, 42, -45, -82, 62, 25);    // arms
    m.Box(cloth, 82, 42, -45, 100, 62, 25);
    for (float x : {-80.0f, -27.0f, 26.0f}) m.Box(cloth, x, 42, -42, x + 52, 50, 24);  // cushions
    return m;
}

BoxModel CoffeeTable() {
    BoxModel m;
    const int wood = m.Material(0xFFFFFF, "walnut.png");
    for (float x : {-55.0f, 49.0f})
        for (float z : {-30.0f, 24.0f}) m.Box(wood, x, 0, z, x + 6, 38, z + 6);
    m.Box(wood, -60, 38, -35, 60, 44, 35);
    m.Box(wood, -52, 12, -27, 52, 15, 27);  // shelf
    return m;
}

BoxModel DiningTable() {
    BoxModel m;
    const int wood = m.Material(0xFFFFFF, "walnut.png");
    for (float x : {-75.0f, 68.0f})
        for (float z : {-42.0f, 35.0f}) m.Box(wood, x, 0, z, x + 7, 72, z + 7);
    m.Box(wood, -80, 72, -47, 80, 77, 47);
    return m;
}

BoxModel Chair(std::uint32_t seat) {
    BoxModel m;
    const int wood = m.Material(0xFFFFFF, "walnut.png");
    const int pad = m.Material(seat);
    for (float x : {-20.0f, 16.0f})
        for (float z : {-20.0f, 16.0f}) m.Box(wood, x, 0, z, x + 4, 44, z + 4);
    m.Box(pad, -21, 44, -21, 21, 49, 21);
    for (float x : {-20.0f, 16.0f}) m.Box(wood, x, 49, 16, x + 4, 92, 20);
    m.Box(wood, -20, 70, 16, 20, 90, 20);
    return m;
}

BoxModel Bed(const std::string& coverTexture) {
    BoxModel m;
    const int wood = m.Material(0xFFFFFF, "walnut.png");
    const int cover = m.Material(0xFFFFFF, coverTexture);
    const int sheet = m.Material(0xF2EFE8);
    m.Box(wood, -82, 0, -100, 82, 30, 100);     // frame
    m.Box(sheet, -78, 30, -96, 78, 50, 96);     // mattress
    m.Box(cover, -80, 50, -98, 80, 54, 40);     // cover over the lower part
    m.Box(sheet, -70, 50, 52, -8, 62, 90);      // pillows
    m.Box(sheet, 8, 50, 52, 70, 62, 90);
    m.Box(wood, -85, 0, 100, 85, 105, 108);     // headboard
    return m;
}

BoxModel Cupboard() {
    BoxModel m;
    const int body = m.Material(0xFFFFFF, "oak.png");
    const int knob = m.Material(0x303030);
    m.Box(body, -60, 0, -30, 60, 200, 30);
    m.Box(knob, -1, 0, -31, 1, 200, -30);  // the gap between the doors
    m.Box(knob, -8, 95, -33, -4, 115, -31);
    m.Box(knob, 4, 95, -33, 8, 115, -31);
    return m;
}

BoxModel FloorLamp() {
    BoxModel m;
    const int metal = m.Material(0x2A2A2A);
    const int shade = m.Material(0xF5E6C0);
    m.Box(metal, -15, 0, -15, 15, 3, 15);
    m.Box(metal, -2, 3, -2, 2, 150, 2);
    m.Box(shade, -20, 150, -20, 20, 180, 20);
    return m;
}

BoxModel Bookshelf() {
    BoxModel m;
    const int wood = m.Material(0xFFFFFF, "oak.png");
    const std::uint32_t spines[] = {0x8E2B2B, 0x2B4E8E, 0x3C7A3C, 0xC9A227, 0x5A3A7A};
    int books[5];
    for (int i = 0; i < 5; ++i) books[i] = m.Material(spines[i]);
    m.Box(wood, -50, 0, 10, 50, 190, 15);     // back
    m.Box(wood, -50, 0, -20, -47, 190, 10);   // sides
    m.Box(wood, 47, 0, -20, 50, 190, 10);
    for (int shelf = 0; shelf < 5; ++shelf) {
        const float y = static_cast<float>(shelf) * 45.0f;
        m.Box(wood, -47, y, -20, 47, y + 3, 10);
        if (shelf == 4) break;
        float x = -45;
        for (int b = 0; x < 40; ++b) {
            const float width = 4.0f + static_cast<float>((b * 7 + shelf * 3) % 5);
            const float height = 28.0f + static_cast<float>((b * 5 + shelf) % 10);
            m.Box(books[(b + shelf) % 5], x, y + 3, -15, x + width, y + 3 + height, 8);
            x += width + 0.5f;
        }
    }
    m.Box(wood, -50, 187, -20, 50, 190, 10);
    return m;
}

BoxModel Nightstand() {
    BoxModel m;
    const int wood = m.Material(0xFFFFFF, "walnut.png");
    const int knob = m.Material(0xC0A060);
    m.Box(wood, -22, 0, -20, 22, 55, 20);
    m.Box(knob, -3, 38, -22, 3, 42, -20);
    return m;
}

BoxModel TvCabinet() {
    BoxModel m;
    const int wood = m.Material(0xFFFFFF, "walnut.png");
    const int black = m.Material(0x151515);
    const int screen = m.Material(0x1E2A3A);
    m.Box(wood, -80, 0, -22, 80, 45, 22);
    m.Box(black, -10, 45, -5, 10, 50, 5);
    m.Box(black, -3, 50, 0, 3, 60, 3);
    m.Box(black, -62, 60, -2, 62, 132, 3);
    m.Box(screen, -59, 63, -3, 59, 129, -2);
    return m;
}

}  // namespace roamer::samples
