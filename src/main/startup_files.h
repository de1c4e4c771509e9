#pragma once

struct Paths;

// The folders and settings-file copies the start-up puts in order. Each step that
// fails (a folder that cannot be made, a copy that cannot be written) is skipped.
namespace StartupFiles {

// The profile's "My Documents" and "Documents" folders, made when missing.
void ensureProfileFolders(const Paths &paths);

// Keeps the settings file's three copies in step: a missing profile copy is made
// from the program copy, and a missing program copy from "My Documents", else from
// "Documents". A copy never replaces an existing file, so the profile copies are
// backups that later writes of the settings never reach.
void keepSettingsCopiesInStep(const Paths &paths);

// The generator's output folders "orvoupc/" and "orvoupc/Artwork/" in the program
// folder, made when missing.
void ensureOutputFolders(const Paths &paths);

} // namespace StartupFiles
