#pragma once

#include "chimeletversion.h"
#include "platform/httpclient.h"

#include <QString>

#include <atomic>
#include <cstdint>

// The running release: its number is compared with the server's.
inline constexpr int32_t kReleaseNumber = 2;
inline constexpr const char* kVersionText = "v" CHIMELET_VERSION;

inline constexpr const char* kNoConnectionMessage = "Could not connect to update server.";
inline constexpr const char* kNoUpdatesMessage = "No updates for Chimelet were detected.";

enum class UpdateCheck { NoConnection, NoUpdates, Available };

// Asks the server for the newest release number. A body that is not a whole decimal
// integer raises ConversionError with the generic integer message.
UpdateCheck checkforupdates(HttpClient& http);

// The line about the new release, lower-cased; empty when it could not be fetched.
QString releasenews(HttpClient& http);

// Whole percentage of `done` in `total`; 0 for an empty or impossible total.
int64_t percentof(int64_t total, int64_t done);

// The local name of a downloaded release: fixed, with the extension the server's
// file name or type gives it, so the desktop knows how to open it.
QString installername(const HttpFileInfo& info);

// Downloads the new release into `folder` (where the program keeps its files) under a temporary
// name and renames it to `installername` once complete. On any failure nothing is left behind and
// the result is false; `cancel` ends it early.
bool downloadinstaller(HttpClient& http, const QString& folder,
                       const HttpClient::Progress& progress, const std::atomic<bool>& cancel,
                       QString& saved);
