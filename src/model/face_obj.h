#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "model/texture_key.h"
#include "platform/host.h"
#include "platform/rm/retained_mode.h"

namespace roamer::model {

class CellBudget;

// A textured surface (Type 0, a group of polygons), one polygon of it (Type 1) or a refinement
// cell of a polygon (Type 2, made here and never saved). Only leaves carry render faces: a
// polygon that is not refined, or a cell.
class CFaceObj {
public:
    enum Type : std::int32_t { kGroup = 0, kPolygon = 1, kCell = 2 };

    CFaceObj(rm::RetainedMode& d3drm, std::int32_t type);
    CFaceObj(const CFaceObj&) = delete;
    CFaceObj& operator=(const CFaceObj&) = delete;

    std::int32_t GetType() const { return m_type; }

    // Takes the vertices; an empty list leaves the face as it was.
    void SetVertices(std::vector<rm::Vector3> vertices);
    const std::vector<rm::Vector3>& GetVertices() const { return m_vertices; }
    void SetYNormal(rm::Vector3 n) { m_yNormal = n; }
    void SetZNormal(rm::Vector3 n) { m_zNormal = n; }
    rm::Vector3 GetYNormal() const { return m_yNormal; }
    rm::Vector3 GetZNormal() const { return m_zNormal; }
    void SetIsRefine(std::int32_t isRefine) { m_isRefine = isRefine; }
    void SetRefineScale(float scale) { m_refineScale = scale; }
    std::int32_t GetIsRefine() const { return m_isRefine; }
    float GetRefineScale() const { return m_refineScale; }

    // These reach every polygon and cell below, so a group shares one mapping and colour.
    void SetOrigin(rm::Vector3 origin);
    void SetScale(float u, float v);
    void SetOffset(float u, float v);
    rm::Vector3 GetOrigin() const { return m_origin; }
    float GetScaleU() const { return m_scaleU; }
    float GetScaleV() const { return m_scaleV; }
    float GetOffsetU() const { return m_offsetU; }
    float GetOffsetV() const { return m_offsetV; }
    // Stores the colour below too and colours every render face there.
    void SetColor(rm::Color color);
    rm::Color GetColor() const { return m_color; }

    // The stored identity; SetTexture is what builds with it.
    void SetTextureKey(TextureKey key) { m_key = std::move(key); }
    const TextureKey& GetTextureKey() const { return m_key; }
    const std::shared_ptr<rm::Texture>& GetTexture() const { return m_texture; }

    // Null for a null face; otherwise 0.
    int AddSubFace(std::unique_ptr<CFaceObj> face);
    int GetSubFaceCount() const { return static_cast<int>(m_subFaces.size()); }
    CFaceObj* GetSubFace(int index) const;
    const std::vector<std::unique_ptr<CFaceObj>>& SubFaces() const { return m_subFaces; }

    // The plane the face lies in, from its ZNormal: 1..6, or 0 (with a message) when the normal
    // is not an axis unit vector.
    int GetFaceType(Host& host) const;
    // Cuts polygons into grid cells of `scale` scene units anchored at multiples of the scale.
    rm::Status Refine(float scale, Host& host, CellBudget& budget);
    // Makes a render face for every leaf below, in order, and appends them to `faces`. On an
    // error `faces` is emptied.
    rm::Status CreateRenderFaces(std::vector<std::shared_ptr<rm::Face>>& faces);
    // Takes the key's identity when its TextureID differs, keeps `texture` (null allowed) and
    // puts it on every render face below.
    void SetTexture(const TextureKey& key, std::shared_ptr<rm::Texture> texture);
    // A flat wrap per leaf that maps Origin, ScaleU/V and OffsetU/V in `frame` coordinates.
    rm::Status ApplyWrap(const rm::Frame* frame);

    const std::shared_ptr<rm::Face>& GetRenderFace() const { return m_renderFace; }
    const rm::Wrap* GetWrap() const { return m_wrap.get(); }
    bool IsLeaf() const;

private:
    rm::Status RefinePolygon(float scale, Host& host, CellBudget& budget);
    // Whether setters and building walk into the sub faces.
    bool HasChildren() const { return m_type == kGroup || m_type == kPolygon; }
    void ReleaseRenderObjects();

    rm::RetainedMode& m_d3drm;
    std::int32_t m_type;
    std::int32_t m_isRefine = 0;
    float m_refineScale = 25.0f;
    std::vector<std::unique_ptr<CFaceObj>> m_subFaces;
    std::vector<rm::Vector3> m_vertices;
    rm::Vector3 m_yNormal{0.0f, 1.0f, 0.0f};
    rm::Vector3 m_zNormal{0.0f, 0.0f, 1.0f};
    rm::Vector3 m_origin;
    float m_scaleU = 30.0f;
    float m_scaleV = 30.0f;
    float m_offsetU = 0.0f;
    float m_offsetV = 0.0f;
    rm::Color m_color = 0;
    TextureKey m_key;
    std::shared_ptr<rm::Texture> m_texture;
    std::shared_ptr<rm::Face> m_renderFace;
    std::unique_ptr<rm::Wrap> m_wrap;
    // A polygon whose plane has no type: refined into nothing, so it shows nothing.
    bool m_refinedToNothing = false;
};

}  // namespace roamer::model
