#pragma once
// The configuration folder the desktop editor works on: the install's own
// <Path>\config on a fixed system drive, else a per-host copy rebuilt from
// it at C:\<host>\config.

#include <functional>
#include <string>

namespace kq {

// Results of the preparation.
inline constexpr int kConfigInstalled = 1;
inline constexpr int kConfigPerHost = 0;
inline constexpr int kConfigFailed = -1;

// Message ids the preparation shows.
inline constexpr unsigned kMessageCreatePathFailed = 61208;
inline constexpr unsigned kMessageHostNameFailed = 61209;

// Prepares the folder for the install folder `installPath`; `folder` is set
// on success. `show` shows a message id.
int PrepareConfigFolder(const std::string& installPath, std::string& folder,
                        const std::function<void(unsigned)>& show);

// Copies every file and folder below `source` into `destination`, making
// each destination folder first; failures are skipped.
void CopyFolderTree(const std::string& source, const std::string& destination);

} // namespace kq
