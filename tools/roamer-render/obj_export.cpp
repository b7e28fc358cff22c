#include "roamer-render/obj_export.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <tuple>

#include "platform/rm/mesh_builder.h"
#include "roamer-render/png_writer.h"

namespace roamer::tools {
namespace {

struct Material {
    rm::Color color = 0;
    const rm::Texture* texture = nullptr;
    bool operator<(const Material& other) const {
        return std::tie(color, texture) < std::tie(other.color, other.texture);
    }
};

class ObjWriter {
public:
    ObjWriter(std::string textureStem) : m_textureStem(std::move(textureStem)) {}

    void Frame(const rm::Frame& frame) {
        const rm::Transform world = frame.WorldTransform();
        for (const auto& visual : frame.GetVisuals())
            if (visual->GetKind() == rm::Visual::Kind::Mesh)
                Mesh(static_cast<const rm::MeshBuilder&>(*visual), world);
        for (const auto& child : frame.GetChildren()) Frame(*child);
    }

    std::string Obj(const std::string& mtlName) const {
        return "# room exported by roamer-render\nmtllib " + mtlName + "\n" + m_vertices.str() +
               m_faces.str();
    }

    // Texture pictures to write: file name and texture.
    std::string Mtl(std::vector<std::pair<std::string, const rm::Texture*>>& pictures) const {
        std::ostringstream mtl;
        for (const auto& [material, name] : m_materials) {
            const rm::Color c = material.color;
            mtl << "newmtl " << name << "\n";
            mtl << "Kd " << ((c >> 16) & 0xFF) / 255.0 << ' ' << ((c >> 8) & 0xFF) / 255.0 << ' '
                << (c & 0xFF) / 255.0 << "\n";
            mtl << "d " << ((c >> 24) & 0xFF) / 255.0 << "\nillum 1\n";
            if (material.texture != nullptr) {
                const std::string file = m_textureStem + "_" + name + ".png";
                mtl << "map_Kd " << file << "\n";
                pictures.emplace_back(file, material.texture);
            }
            mtl << "\n";
        }
        return mtl.str();
    }

private:
    void Mesh(const rm::MeshBuilder& mesh, const rm::Transform& world) {
        for (const auto& face : mesh.Faces()) {
            const auto& vertices = face->Vertices();
            if (vertices.size() < 3) continue;
            m_faces << "usemtl " << MaterialName({face->GetColor(), face->GetTexture().get()})
                    << "\nf";
            for (const rm::FaceVertex& v : vertices) {
                const rm::Vector3 p = world.ApplyToPoint(v.position);
                m_vertices << "v " << p.x << ' ' << p.y << ' ' << -p.z << "\n";
                // Our pictures start at the top row, OBJ pictures at the bottom one.
                m_vertices << "vt " << v.u << ' ' << 1.0f - v.v << "\n";
                ++m_count;
                m_faces << ' ' << m_count << '/' << m_count;
            }
            m_faces << "\n";
        }
    }

    std::string MaterialName(const Material& material) {
        const auto found = m_materials.find(material);
        if (found != m_materials.end()) return found->second;
        const std::string name = "m" + std::to_string(m_materials.size());
        m_materials.emplace(material, name);
        return name;
    }

    std::string m_textureStem;
    std::ostringstream m_vertices;
    std::ostringstream m_faces;
    std::map<Material, std::string> m_materials;
    long m_count = 0;
};

bool WriteText(const std::string& path, const std::string& text) {
    const std::string temp = path + ".part";
    std::ofstream out(temp, std::ios::binary);
    out << text;
    out.close();
    std::error_code error;
    if (out) std::filesystem::rename(temp, path, error);
    if (!out || error) std::filesystem::remove(temp, error);
    return out && !error;
}

// The picture as a viewer would see it: colour-keyed texels left black but fully opaque.
rm::Picture PictureOf(const rm::Texture& texture) {
    const rm::Image& image = texture.GetImage();
    return {image.width, image.height, image.rgba};
}

}  // namespace

std::string ExportObj(const rm::Frame& scene, const std::string& objPath) {
    const std::filesystem::path obj(objPath);
    std::filesystem::path mtl = obj;
    mtl.replace_extension(".mtl");
    ObjWriter writer(obj.stem().string());
    writer.Frame(scene);
    std::vector<std::pair<std::string, const rm::Texture*>> pictures;
    const std::string materials = writer.Mtl(pictures);
    for (const auto& [file, texture] : pictures) {
        const std::string path = (obj.parent_path() / file).string();
        if (!WritePng(PictureOf(*texture), path)) return "cannot write " + path;
    }
    if (!WriteText(mtl.string(), materials)) return "cannot write " + mtl.string();
    if (!WriteText(objPath, writer.Obj(mtl.filename().string())))
        return "cannot write " + objPath;
    return {};
}

}  // namespace roamer::tools
