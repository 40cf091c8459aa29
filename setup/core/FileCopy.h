// Copying the suite's folder trees and creating folder chains, with the
// questions the user answers when a source folder is missing or a folder
// cannot be created.
#pragma once

#include <string>

#include "InstallContext.h"

namespace setup {

// Creates every folder of the chain that does not exist; logs "Made Dir: "
// first. False when the user cancels a failed creation.
bool MakeDirChain(InstallContext& context, const std::string& path);

// Copies the tree `source` into `destination`, logging every copied file and
// reporting every entry. False on the user's Abort, a refused folder, or the
// cancel request.
bool CopyTree(InstallContext& context, const std::string& source, const std::string& destination);

}  // namespace setup
