#include "standins/kqtransmit/TreeStream.h"

#include "standins/kqtransmit/KqTransmit.h"
#include "standins/kqtransmit/TransferPath.h"
#include "standins/kqtransmit/TransferWire.h"

#include <memory>

namespace kq::transmit {

namespace {

constexpr DWORD kChunk = 64 * 1024;
constexpr char kPartSuffix[] = ".kqpart";
constexpr size_t kRootLength = 3; // "X:\"

uint64_t FileSize(DWORD high, DWORD low)
{
    return (static_cast<uint64_t>(high) << 32) | low;
}

void ListFolderInto(const std::string& full, const std::string& relative, TreeListing& listing)
{
    listing.items.push_back({relative, full, true, 0});
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((full + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        const std::string childFull = full + "\\" + name;
        const std::string childRelative = relative + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            ListFolderInto(childFull, childRelative, listing);
        } else {
            const uint64_t size = FileSize(found.nFileSizeHigh, found.nFileSizeLow);
            listing.items.push_back({childRelative, childFull, false, size});
            listing.totalBytes += size;
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

bool SendEntryHeader(TcpLink& link, uint8_t type, const std::string& name, uint64_t size, const StopFlag& stop)
{
    const EntryHeader header{type, static_cast<uint16_t>(name.size()), size};
    return link.SendAll(&header, sizeof header, stop) && link.SendAll(name.data(), name.size(), stop);
}

bool SendFileData(TcpLink& link, const TreeItem& item, const StopFlag& stop, uint64_t& moved,
                  const ProgressFn& progress)
{
    HANDLE file = CreateFileA(item.full.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    std::unique_ptr<char[]> buffer(new char[kChunk]);
    uint64_t left = item.size;
    bool ok = true;
    while (ok && left > 0) {
        const DWORD want = left < kChunk ? static_cast<DWORD>(left) : kChunk;
        DWORD got = 0;
        // A file that shrank since it was listed cannot keep the announced size.
        ok = ReadFile(file, buffer.get(), want, &got, nullptr) && got == want && link.SendAll(buffer.get(), got, stop);
        left -= got;
        moved += got;
        if (progress)
            progress(moved);
    }
    CloseHandle(file);
    return ok;
}

// Writes one file entry's data; the file takes its name only when complete.
int ReceiveFileData(TcpLink& link, const std::string& target, uint64_t size, const StopFlag& stop,
                    uint64_t& moved, const ProgressFn& progress)
{
    const std::string part = target + kPartSuffix;
    if (part.size() > kMaxPath)
        return kTransmitRefused;
    HANDLE file = CreateFileA(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return kTransmitFailed;
    std::unique_ptr<char[]> buffer(new char[kChunk]);
    int result = kTransmitDone;
    for (uint64_t left = size; left > 0 && result == kTransmitDone;) {
        const DWORD want = left < kChunk ? static_cast<DWORD>(left) : kChunk;
        DWORD written = 0;
        if (!link.ReceiveAll(buffer.get(), want, stop))
            result = kTransmitBroken;
        else if (!WriteFile(file, buffer.get(), want, &written, nullptr) || written != want)
            result = kTransmitFailed;
        left -= want;
        moved += want;
        if (progress)
            progress(moved);
    }
    CloseHandle(file);
    if (result == kTransmitDone && !MoveFileExA(part.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING))
        result = kTransmitFailed;
    if (result != kTransmitDone)
        DeleteFileA(part.c_str());
    return result;
}

std::string ParentOf(const std::string& path)
{
    const std::vector<size_t> separators = SeparatorPositions(path);
    return separators.empty() ? std::string() : path.substr(0, separators.back());
}

int ReceiveEntries(TcpLink& link, const std::string& folder, const StreamStart& start, const StopFlag& stop,
                   const ProgressFn& progress, ReceivedTree& received)
{
    uint64_t moved = 0;
    for (uint32_t index = 0;; ++index) {
        EntryHeader header;
        if (!link.ReceiveAll(&header, sizeof header, stop))
            return kTransmitBroken;
        if (header.type == kEntryEnd)
            return index == start.entries && moved == start.totalBytes ? kTransmitDone : kTransmitBroken;
        if (index >= start.entries || header.nameLength == 0 || header.nameLength > kMaxPath)
            return kTransmitBroken;
        std::string name(header.nameLength, '\0');
        if (!link.ReceiveAll(name.data(), name.size(), stop))
            return kTransmitBroken;
        const bool isFile = header.type == kEntryFile;
        if ((!isFile && header.type != kEntryFolder) || (!isFile && header.size != 0) ||
            header.size > start.totalBytes - moved)
            return kTransmitBroken;
        if (!IsSafeRelativePath(name))
            return kTransmitRefused;
        const std::string target = folder + name;
        if (target.size() > kMaxPath)
            return kTransmitRefused;
        if (received.location.empty())
            received.location = folder + FirstName(name);
        if (!CreateFolderTree(isFile ? ParentOf(target) : target))
            return kTransmitFailed;
        if (isFile) {
            const int result = ReceiveFileData(link, target, header.size, stop, moved, progress);
            if (result != kTransmitDone)
                return result;
        }
    }
}

} // namespace

bool ListSource(const std::string& path, bool folder, TreeListing& listing)
{
    listing = TreeListing();
    const std::string source = StripTrailingSeparators(path);
    listing.name = LastName(source);
    const DWORD attributes = GetFileAttributesA(source.c_str());
    if (listing.name.empty() || attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    const bool isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (isFolder != folder)
        return false;
    if (folder) {
        ListFolderInto(source, listing.name, listing);
        return true;
    }
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(source.c_str(), GetFileExInfoStandard, &data))
        return false;
    listing.totalBytes = FileSize(data.nFileSizeHigh, data.nFileSizeLow);
    listing.items.push_back({listing.name, source, false, listing.totalBytes});
    return true;
}

int SendTree(TcpLink& link, const TreeListing& listing, const StopFlag& stop, const ProgressFn& progress)
{
    const StreamStart start{listing.totalBytes, static_cast<uint32_t>(listing.items.size())};
    if (!link.SendAll(&start, sizeof start, stop))
        return kTransmitBroken;
    uint64_t moved = 0;
    for (const TreeItem& item : listing.items) {
        if (!SendEntryHeader(link, item.folder ? kEntryFolder : kEntryFile, item.relative, item.size, stop))
            return kTransmitBroken;
        if (!item.folder && !SendFileData(link, item, stop, moved, progress))
            return kTransmitBroken;
    }
    uint8_t status = kStatusFailed;
    if (!SendEntryHeader(link, kEntryEnd, "", 0, stop) || !link.ReceiveAll(&status, sizeof status, stop))
        return kTransmitBroken;
    return status == kStatusStored ? kTransmitDone : kTransmitRejected;
}

int ReceiveTree(TcpLink& link, const std::string& folder, const StopFlag& stop,
                const std::function<void(uint64_t total)>& started, const ProgressFn& progress,
                ReceivedTree& received)
{
    received = ReceivedTree();
    StreamStart start;
    if (!link.ReceiveAll(&start, sizeof start, stop))
        return kTransmitBroken;
    if (start.entries > kMaxEntries)
        return kTransmitBroken;
    received.totalBytes = start.totalBytes;
    if (started)
        started(start.totalBytes);
    const std::string base = WithTrailingSeparator(folder);
    int result = CreateFolderTree(base) ? ReceiveEntries(link, base, start, stop, progress, received)
                                        : kTransmitFailed;
    const uint8_t status = result == kTransmitDone ? kStatusStored : kStatusFailed;
    if (!link.SendAll(&status, sizeof status, stop) && result == kTransmitDone)
        result = kTransmitBroken;
    return result;
}

bool CreateFolderTree(const std::string& folder)
{
    const std::string path = StripTrailingSeparators(folder);
    for (size_t position : SeparatorPositions(path)) {
        if (position >= kRootLength)
            CreateDirectoryA(path.substr(0, position).c_str(), nullptr);
    }
    CreateDirectoryA(path.c_str(), nullptr);
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace kq::transmit
