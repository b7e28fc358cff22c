#include "dsg/design_file.h"

namespace roamer::dsg {
namespace {

constexpr const char* kContinueQuestion = "是否要繼續執行?";
constexpr const char* kCaption = "Roamer";

}  // namespace

CDesignFile::CDesignFile(Host& host, Progress* progress) : m_host(host), m_progress(progress) {}

bool CDesignFile::OpenWrite(const std::string& path) {
    if (!CTaggedTextFile::OpenWrite(path)) return false;
    SetFileVersion(kWriteVersion);
    return true;
}

void CDesignFile::ChooseWriteVersion(double sourceVersion) {
    SetFileVersion(sourceVersion >= kUserKeysVersion ? kUserKeysVersion : kWriteVersion);
}

void CDesignFile::BeginProgress(const char* text) {
    m_progressCounted = false;
    if (!m_progress || !m_progress->HasWindow()) return;
    m_progress->SetMessage(text);
    m_progress->SetPos(0);
}

void CDesignFile::CountProgress(std::int32_t count) {
    if (count == 0 || !m_progress || !m_progress->HasWindow()) return;
    m_progressCounted = true;
    m_progress->SetRange(0, 1000);
    m_progress->SetStep(1000 / count);
}

void CDesignFile::StepProgress() {
    if (m_progressCounted && m_progress && m_progress->HasWindow()) m_progress->StepIt();
}

void CDesignFile::EndProgress() {
    if (m_progressCounted && m_progress && m_progress->HasWindow()) m_progress->SetPos(1000);
}

bool CDesignFile::ReadSectionCount(std::string_view section, std::int32_t& count) {
    return FindKey(section) && FindKey("Count") && ReadInt(count);
}

bool CDesignFile::WriteSectionStart(std::string_view section, std::size_t count) {
    return WriteKey(section) && WriteKey("Count") && WriteLong(static_cast<std::int32_t>(count));
}

bool CDesignFile::SkipMissingModel(std::string_view endKey) {
    if (!FindKey(endKey)) return false;
    return m_host.Ask(kContinueQuestion, kCaption, false) == Host::Answer::kYes;
}

CDesignHeader HeaderForSaving(double faceAngleXZ, double faceAngleYZ, Vector3f position,
                              std::uint32_t ambientLight, std::int32_t showState2D,
                              std::int32_t showState3D) {
    CDesignHeader header;
    header.FaceAngleXZ = faceAngleXZ;
    header.FaceAngleYZ = faceAngleYZ;
    header.Position = position;
    header.AmbientLight = ambientLight;
    header.ShowState2D = showState2D;
    header.ShowState3D = showState3D;
    return header;
}

}  // namespace roamer::dsg
