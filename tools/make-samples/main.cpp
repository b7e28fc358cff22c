// Writes the sample files under a folder: the rooms with their textures, plant pictures and
// furniture models, one browse path per room and the play list that names the rooms, in code
// page 950 like the files of the Windows tools.
#include <fstream>
#include <iostream>

#include "make-samples/sample_rooms.h"
#include "make-samples/sample_walks.h"
#include "nav/browse_file.h"
#include "platform/recording_host.h"
#include "platform/text/cp950.h"

int main(int argc, char** argv) {
    using namespace roamer;
    if (argc != 2) {
        std::cerr << "usage: make-samples FOLDER\n";
        return 2;
    }
    const std::string folder = argv[1];
    if (!samples::WriteSampleAssets(folder) || !samples::WriteSampleDesigns(folder)) return 1;
    std::string playList;
    for (const samples::SampleWalk& walk : samples::MakeSampleWalks()) {
        RecordingHost host;
        nav::CBrowseFile file(host);
        const std::string rcd = folder + "/" + walk.name + ".rcd";
        if (!file.OpenWrite(rcd) || !file.WritePath(walk.path) || !file.Close()) {
            std::cerr << "make-samples: cannot write " << rcd << '\n';
            return 1;
        }
        playList += text::Utf8ToCp950(walk.name + ".dsg").value_or(walk.name + ".dsg") + "\r\n";
    }
    std::ofstream vol(folder + "/default.vol", std::ios::binary);
    vol << playList;
    if (!vol.flush()) {
        std::cerr << "make-samples: cannot write the play list\n";
        return 1;
    }
    return 0;
}
