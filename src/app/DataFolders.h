#pragma once
// The data folders of the design windows, under the program folder, and the sample
// designs delivered beside the program that are copied into them.
#include <filesystem>
#include <string>
#include <vector>

namespace aub {

struct SampleFolder {
    std::string folder;
    std::vector<std::string> files;
};

// "Rouehaut", "Sagebien", "Bankiwheel", "Roueparbas" with their samples, in the
// order they are made.
const std::vector<SampleFolder>& sampleFolders();

// The one-time installation: creates the four folders in order, then copies each
// sample from the program folder into its folder (same name). The first failure
// stops it with CalcError — 75 for a folder that already exists, 53 for a missing
// sample, 61 for a full disk ...; what was made before stays.
void installDataFolders(const std::filesystem::path& appFolder);

// Completes an installation left unfinished: creates the folders that are missing,
// then copies each sample its folder does not hold yet; never replaces a file.
// Stops at the first failure like installDataFolders. Returns what it restored, in
// order: a folder by its name, a sample as "folder/name".
std::vector<std::string> completeDataFolders(const std::filesystem::path& appFolder);

// True while none of the four folders (nor a file of their names) is there.
bool dataFoldersAbsent(const std::filesystem::path& appFolder);

// True while one of the four folders is missing.
bool dataFoldersMissing(const std::filesystem::path& appFolder);

}  // namespace aub
