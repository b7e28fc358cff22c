#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "dsg/design_header.h"
#include "dsg/tagged_text_file.h"
#include "model/room_design.h"
#include "platform/host.h"
#include "platform/progress.h"

namespace roamer::dsg {

// One room design file (.dsg) held open for reading or writing, with the readers and writers of
// its sections. Readers build what they read into the design's scene as they go; they show
// their own messages through the host and report progress to a shown progress window. Every
// operation returns false at the first failure.
class CDesignFile : public CTaggedTextFile {
public:
    // The format version this program writes.
    static constexpr double kWriteVersion = 2.46;
    // From this version on, walls, furniture and plants carry the sizes and colours the user
    // chose.
    static constexpr double kUserKeysVersion = 2.5;
    // Face objects nest (surfaces hold polygons); deeper nesting than any designer makes is
    // refused, so a hostile file cannot exhaust the stack.
    static constexpr int kMaxFaceDepth = 8;

    explicit CDesignFile(Host& host, Progress* progress = nullptr);

    bool OpenWrite(const std::string& path) override;
    // Call after OpenWrite: a design read from a file of `sourceVersion` 2.5 or later is
    // written as 2.5, so the user's sizes and colours survive the save; any other design stays
    // 2.46 without them, as the older tools that read it expect.
    void ChooseWriteVersion(double sourceVersion);

    bool ReadHeader(CDesignHeader& header);
    bool ReadWalls(model::CRoomDesign& design);
    bool ReadFloors(model::CRoomDesign& design);
    bool ReadCeilings(model::CRoomDesign& design);
    bool ReadFurniture(model::CRoomDesign& design);
    bool ReadLights(model::CRoomDesign& design);
    bool ReadPlants(model::CRoomDesign& design);

    bool WriteHeader(const CDesignHeader& header);
    bool WriteWalls(const model::CRoomDesign& design);
    bool WriteFloors(const model::CRoomDesign& design);
    bool WriteCeilings(const model::CRoomDesign& design);
    bool WriteFurniture(const model::CRoomDesign& design);
    bool WriteLights(const model::CRoomDesign& design);
    bool WritePlants(const model::CRoomDesign& design);

private:
    // Progress of one section: text and position 0, the record count, a step per record, 1000
    // at the end. Nothing when no window is shown; nothing after a count of 0.
    void BeginProgress(const char* text);
    void CountProgress(std::int32_t count);
    void StepProgress();
    void EndProgress();
    // "Section", "Count", n.
    bool ReadSectionCount(std::string_view section, std::int32_t& count);
    bool WriteSectionStart(std::string_view section, std::size_t count);
    // A record whose model is missing: skip to its end and ask whether to go on.
    bool SkipMissingModel(std::string_view endKey);

    std::unique_ptr<model::CFaceObj> ReadFaceObj(rm::RetainedMode& d3drm, int depth);
    bool ReadFaceList(std::string_view listKey, std::string_view beginKey,
                      std::string_view endKey, rm::RetainedMode& d3drm,
                      std::vector<std::unique_ptr<model::CFaceObj>>& faces);
    std::unique_ptr<model::CWall> ReadWall(model::CRoomDesign& design);
    std::unique_ptr<model::CDoor> ReadDoor(rm::RetainedMode& d3drm);
    std::unique_ptr<model::CWallFace> ReadWallFace(rm::RetainedMode& d3drm);
    bool ReadLevelGeometry(std::string_view lineKey, model::CLevelSurface& surface);
    std::unique_ptr<model::CFloor> ReadFloor(model::CRoomDesign& design);
    std::unique_ptr<model::CCeiling> ReadCeiling(model::CRoomDesign& design);
    bool ReadFurnitureRecord(model::CRoomDesign& design);
    bool ReadLight(model::CRoomDesign& design);
    bool ReadPlant(model::CRoomDesign& design);
    bool ReadUserColour(model::UserColour& colour);
    bool ReadUserSize(double& width, double& depth, double& height);
    // The user keys are written only in the format that has them.
    bool WritesUserKeys() const { return GetFileVersion() >= kUserKeysVersion; }
    bool WriteUserColour(const model::UserColour& colour);
    bool WriteUserSize(double width, double depth, double height);

    bool WriteFaceObj(const model::CFaceObj& face);
    bool WriteFaceList(std::string_view listKey, std::string_view beginKey,
                       std::string_view endKey,
                       const std::vector<std::unique_ptr<model::CFaceObj>>& faces);
    bool WriteWall(const model::CWall& wall);
    bool WriteDoor(const model::CDoor& door);
    bool WriteWallFace(const model::CWallFace& face);
    bool WriteLevelGeometry(std::string_view lineKey, const model::CLevelSurface& surface);

    Host& m_host;
    Progress* m_progress;
    bool m_progressCounted = false;
};

}  // namespace roamer::dsg
