#include "platform/rm/model_loader.h"

#include <assimp/Importer.hpp>
#include <assimp/material.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <string_view>
#include <tuple>
#include <unordered_map>

#include "platform/fs/input_file.h"
#include "platform/fs/windows_path.h"
#include "platform/rm/xfile_data_check.h"
#include "platform/rm/xfile_inflate.h"
#include "platform/rm/xfile_layout.h"

namespace roamer::rm {
namespace {

// A model file, or the data a compressed .x file inflates to, is at most this large: furniture
// models take a few megabytes.
constexpr std::size_t kMaxFileBytes = 16u * 1024u * 1024u;
// Bounds for hostile files: furniture models have thousands of corners, not millions.
constexpr std::size_t kMaxCorners = 2u * 1024u * 1024u;
constexpr int kMaxNodeDepth = 64;

// The .x reader of the library turns left-handed files right-handed (z negated, winding and v
// flipped); the same conversion once more gives back the file's numbers. Right-handed formats
// get properly converted the same way.
constexpr unsigned kImportFlags = aiProcess_ConvertToLeftHanded | aiProcess_ValidateDataStructure;

Status ReadWholeFile(const std::string& path, std::vector<unsigned char>* bytes) {
    switch (fs::ReadWholeFile(path, kMaxFileBytes, *bytes)) {
        case fs::WholeFile::kRead: return D3DRM_OK;
        case fs::WholeFile::kTooLarge: return D3DRMERR_BADFILE;
        case fs::WholeFile::kCannotRead: break;
    }
    return D3DRMERR_FILENOTFOUND;
}

// A .x file that starts with a mesh: that mesh alone, with the templates and materials it may
// refer to, as a file of its own.
std::vector<unsigned char> FirstMeshOnly(const std::vector<unsigned char>& bytes,
                                         const XFileLayout& layout) {
    std::vector<unsigned char> subset(bytes.begin(), bytes.begin() + kXFileHeaderSize);
    const bool text = std::memcmp(&bytes[8], "txt ", 4) == 0;
    if (text) {
        subset.push_back('\n');
    }
    bool meshTaken = false;
    for (const XFileObject& object : layout.objects) {
        const bool geometry = object.type == "Mesh" || object.type == "Frame";
        if (geometry && (meshTaken || object.type == "Frame")) {
            continue;
        }
        meshTaken = meshTaken || object.type == "Mesh";
        subset.insert(subset.end(), bytes.begin() + static_cast<std::ptrdiff_t>(object.begin),
                      bytes.begin() + static_cast<std::ptrdiff_t>(object.end));
        if (text) {
            subset.push_back('\n');  // tokens of two objects must not run together
        }
    }
    return subset;
}

bool StartsWithMesh(const XFileLayout& layout) {
    if (!layout.isXFile || !layout.complete) {
        return false;
    }
    for (const XFileObject& object : layout.objects) {
        if (object.type == "Mesh") {
            return true;
        }
        if (object.type == "Frame") {
            return false;
        }
    }
    return false;
}

Vector3 ToVector(const aiVector3D& v) { return {v.x, v.y, v.z}; }

class FaceCollector {
public:
    // `materials` false: the file has none, whatever the library filled in.
    FaceCollector(const aiScene& scene, std::string folder, bool materials,
                  std::vector<std::shared_ptr<Face>>* faces)
        : m_scene(scene), m_folder(std::move(folder)), m_materials(materials), m_faces(faces) {}

    Status AddNode(const aiNode& root, bool applyTransforms) {
        struct Pending {
            const aiNode* node;
            aiMatrix4x4 world;
            int depth;
        };
        std::vector<Pending> pending{{&root, aiMatrix4x4(), 0}};
        while (!pending.empty()) {
            const Pending item = pending.back();
            pending.pop_back();
            const aiMatrix4x4 world =
                applyTransforms ? item.world * item.node->mTransformation : aiMatrix4x4();
            for (unsigned k = 0; k < item.node->mNumMeshes; ++k) {
                const unsigned index = item.node->mMeshes[k];
                if (index >= m_scene.mNumMeshes || m_scene.mMeshes[index] == nullptr) {
                    return D3DRMERR_BADFILE;
                }
                if (const Status status = AddMesh(*m_scene.mMeshes[index], world); Failed(status)) {
                    return status;
                }
            }
            if (item.node->mNumChildren > 0 && item.depth >= kMaxNodeDepth) {
                return D3DRMERR_BADFILE;
            }
            for (unsigned k = item.node->mNumChildren; k-- > 0;) {
                if (item.node->mChildren[k] != nullptr) {
                    pending.push_back({item.node->mChildren[k], world, item.depth + 1});
                }
            }
        }
        return D3DRM_OK;
    }

private:
    struct Material {
        Color color = kWhite;
        std::shared_ptr<Texture> texture;
    };

    Status AddMesh(const aiMesh& mesh, const aiMatrix4x4& world) {
        const Material material = MaterialOf(mesh.mMaterialIndex);
        aiMatrix3x3 normalMatrix(world);
        normalMatrix.Inverse().Transpose();

        std::vector<Vector3> positions(mesh.mNumVertices);
        for (unsigned i = 0; i < mesh.mNumVertices; ++i) {
            positions[i] = ToVector(world * mesh.mVertices[i]);
            if (!std::isfinite(positions[i].x) || !std::isfinite(positions[i].y) ||
                !std::isfinite(positions[i].z)) {
                return D3DRMERR_BADFILE;
            }
        }
        const std::vector<Vector3> generated =
            mesh.HasNormals() ? std::vector<Vector3>() : GeneratedNormals(mesh, positions);

        for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
            const aiFace& source = mesh.mFaces[f];
            if (source.mNumIndices < 3) {
                continue;  // points and lines are not faces
            }
            m_corners += source.mNumIndices;
            if (m_corners > kMaxCorners) {
                return D3DRMERR_BADFILE;
            }
            auto face = std::make_shared<Face>();
            for (unsigned k = 0; k < source.mNumIndices; ++k) {
                const unsigned i = source.mIndices[k];
                if (i >= mesh.mNumVertices) {
                    return D3DRMERR_BADFILE;
                }
                const Vector3 normal = mesh.HasNormals()
                                           ? VectorNormalize(ToVector(normalMatrix * mesh.mNormals[i]))
                                           : generated[i];
                if (Failed(face->AddVertexAndNormal(positions[i], normal))) {
                    return D3DRMERR_BADFILE;
                }
                if (mesh.HasTextureCoords(0)) {
                    face->SetTextureCoordinates(static_cast<int>(k), mesh.mTextureCoords[0][i].x,
                                                mesh.mTextureCoords[0][i].y);
                }
            }
            face->SetColor(material.color);
            face->SetTexture(material.texture);
            m_faces->push_back(std::move(face));
        }
        return D3DRM_OK;
    }

    // Per vertex: the normalised, unweighted sum of the unit normals of the faces that share
    // its position (the library's .x reader gives every face corner a vertex of its own).
    static std::vector<Vector3> GeneratedNormals(const aiMesh& mesh,
                                                 const std::vector<Vector3>& positions) {
        using Key = std::tuple<float, float, float>;
        std::map<Key, Vector3> sums;
        auto keyOf = [&](unsigned i) { return Key{positions[i].x, positions[i].y, positions[i].z}; };
        for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
            const aiFace& face = mesh.mFaces[f];
            if (face.mNumIndices < 3 || face.mIndices[0] >= mesh.mNumVertices ||
                face.mIndices[1] >= mesh.mNumVertices || face.mIndices[2] >= mesh.mNumVertices) {
                continue;
            }
            const Vector3 v0 = positions[face.mIndices[0]];
            const Vector3 normal = VectorNormalize(CrossProduct(
                positions[face.mIndices[1]] - v0, positions[face.mIndices[2]] - v0));
            for (unsigned k = 0; k < face.mNumIndices; ++k) {
                if (face.mIndices[k] < mesh.mNumVertices) {
                    Vector3& sum = sums[keyOf(face.mIndices[k])];
                    sum = sum + normal;
                }
            }
        }
        std::vector<Vector3> normals(mesh.mNumVertices);
        for (unsigned i = 0; i < mesh.mNumVertices; ++i) {
            const auto found = sums.find(keyOf(i));
            if (found != sums.end()) {
                normals[i] = VectorNormalize(found->second);
            }
        }
        return normals;
    }

    Material MaterialOf(unsigned index) {
        Material material;
        if (!m_materials || index >= m_scene.mNumMaterials || m_scene.mMaterials[index] == nullptr) {
            return material;
        }
        const aiMaterial& source = *m_scene.mMaterials[index];
        aiString name;
        // The library invents a grey material for meshes that have none; those stay white.
        if (source.Get(AI_MATKEY_NAME, name) == aiReturn_SUCCESS &&
            std::strcmp(name.C_Str(), AI_DEFAULT_MATERIAL_NAME) == 0) {
            return material;
        }
        aiColor4D diffuse(1.0f, 1.0f, 1.0f, 1.0f);
        if (aiGetMaterialColor(&source, AI_MATKEY_COLOR_DIFFUSE, &diffuse) == aiReturn_SUCCESS) {
            float opacity = 1.0f;
            if (diffuse.a >= 1.0f &&
                aiGetMaterialFloat(&source, AI_MATKEY_OPACITY, &opacity) == aiReturn_SUCCESS) {
                diffuse.a = opacity;
            }
            material.color = CreateColorRGBA(diffuse.r, diffuse.g, diffuse.b, diffuse.a);
        }
        aiString file;
        if (source.GetTextureCount(aiTextureType_DIFFUSE) > 0 &&
            source.GetTexture(aiTextureType_DIFFUSE, 0, &file) == aiReturn_SUCCESS) {
            material.texture = TextureNamed(file.C_Str());
        }
        return material;
    }

    std::shared_ptr<Texture> TextureNamed(const std::string& written) {
        const auto known = m_textures.find(written);
        if (known != m_textures.end()) {
            return known->second;
        }
        std::shared_ptr<Texture> texture;
        if (!written.empty() && written[0] != '*') {  // '*n' names a picture inside the file
            if (const auto local = fs::ResolveExistingPath(written, m_folder)) {
                if (Failed(Texture::Load(*local, &texture))) {
                    texture.reset();
                }
            }
        }
        m_textures.emplace(written, texture);
        return texture;
    }

    const aiScene& m_scene;
    std::string m_folder;
    bool m_materials;
    std::vector<std::shared_ptr<Face>>* m_faces;
    std::unordered_map<std::string, std::shared_ptr<Texture>> m_textures;
    std::size_t m_corners = 0;
};

Status ImportAndCollect(const std::string& path, std::vector<unsigned char> bytes,
                        std::vector<std::shared_ptr<Face>>* faces) {
    // A compressed .x file is checked, and read, as the file its blocks inflate to.
    if (IsCompressedXFile(bytes)) {
        std::vector<unsigned char> inflated;
        if (!InflateXFile(bytes, kMaxFileBytes, &inflated)) {
            return D3DRMERR_BADFILE;
        }
        bytes = std::move(inflated);
    }
    const XFileLayout layout = ScanXFileLayout(bytes);
    if (!layout.parseable) {
        return D3DRMERR_BADFILE;
    }
    const bool firstMeshOnly = StartsWithMesh(layout);
    Assimp::Importer importer;
    const aiScene* scene = nullptr;
    if (layout.isXFile) {
        // The library reads exactly the data that was followed here.
        const std::vector<unsigned char> data = firstMeshOnly ? FirstMeshOnly(bytes, layout) : bytes;
        if (!XFileDataIsBounded(data)) {
            return D3DRMERR_BADFILE;
        }
        scene = importer.ReadFileFromMemory(data.data(), data.size(), kImportFlags, "x");
    } else {
        scene = importer.ReadFile(path, kImportFlags);
    }
    if (scene == nullptr || scene->mRootNode == nullptr ||
        (scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE) != 0) {
        return D3DRMERR_BADFILE;
    }
    // The library's .x reader gives meshes without material list a grey material of its own;
    // such faces are white here, as the platform made them.
    const std::string_view listName = "MeshMaterialList";
    const bool materials =
        !layout.isXFile ||
        std::search(bytes.begin(), bytes.end(), listName.begin(), listName.end()) != bytes.end();
    FaceCollector collector(*scene, fs::LocalFolderOf(path), materials, faces);
    if (const Status status = collector.AddNode(*scene->mRootNode, !firstMeshOnly);
        Failed(status)) {
        return status;
    }
    return faces->empty() ? D3DRMERR_BADFILE : D3DRM_OK;
}

}  // namespace

Status LoadModelFaces(const std::string& path, std::vector<std::shared_ptr<Face>>* faces) {
    if (faces == nullptr) {
        return D3DRMERR_BADVALUE;
    }
    std::vector<unsigned char> bytes;
    if (const Status status = ReadWholeFile(path, &bytes); Failed(status)) {
        return status;
    }
    std::vector<std::shared_ptr<Face>> loaded;
    try {
        if (const Status status = ImportAndCollect(path, std::move(bytes), &loaded);
            Failed(status)) {
            return status;
        }
    } catch (...) {
        // The model library reports errors by returning no scene; anything thrown all the same
        // (running out of memory on a hostile file) is a file we cannot read.
        return D3DRMERR_BADFILE;
    }
    *faces = std::move(loaded);
    return D3DRM_OK;
}

}  // namespace roamer::rm
