#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/rm/face.h"
#include "platform/rm/status.h"

namespace roamer::rm {

// Reads a model file into faces.
// - A .x file whose first top-level geometry is a mesh gives that mesh alone, without any frame
//   transform. Other .x files, and files of every other format the model library reads, give all
//   their meshes with their frame transforms applied.
// - Coordinates are the numbers in the file and faces keep their front sides: the library's
//   conversion to right-handed axes is undone.
// - A material's diffuse RGBA becomes the face colour; faces without material are white.
//   Texture files are looked for next to the model; one that cannot be read leaves its faces
//   untextured.
// - Meshes without normals get, per vertex, the normalised sum of the unit normals of the faces
//   that share its position.
// A file that cannot be opened gives D3DRMERR_FILENOTFOUND; one that cannot be read as a model,
// or holds no face, D3DRMERR_BADFILE.
Status LoadModelFaces(const std::string& path, std::vector<std::shared_ptr<Face>>* faces);

}  // namespace roamer::rm
