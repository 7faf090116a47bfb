#pragma once
// A file, or a folder with all it holds, moved over one TcpLink in the
// stream format of TransferWire.h. The receiving side checks every name and
// size it is told before it touches the disk, writes each file under a
// temporary name and gives it its own name only once it is complete.

#include "standins/kqtransmit/TcpLink.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kq::transmit {

struct TreeItem {
    std::string relative; // path under the receiving folder, starting with the source's own name
    std::string full;     // path on this PC
    bool folder = false;
    uint64_t size = 0;
};

struct TreeListing {
    std::string name;     // the source's own name
    std::vector<TreeItem> items;
    uint64_t totalBytes = 0;
};

// Lists a file, or a folder and everything below it; false when the source
// does not exist as that kind or is a drive root.
bool ListSource(const std::string& path, bool folder, TreeListing& listing);

using ProgressFn = std::function<void(uint64_t bytesSoFar)>;

// Streams the listing and waits for the receiver's status. Returns 0, or the
// library's negative result (KqTransmit.h).
int SendTree(TcpLink& link, const TreeListing& listing, const StopFlag& stop, const ProgressFn& progress);

struct ReceivedTree {
    std::string location; // receiving folder + the first entry's top name
    uint64_t totalBytes = 0;
};

// Receives a stream into `folder` and answers with the status byte.
// `started` learns the announced total before the first entry.
int ReceiveTree(TcpLink& link, const std::string& folder, const StopFlag& stop,
                const std::function<void(uint64_t total)>& started, const ProgressFn& progress,
                ReceivedTree& received);

// Creates a folder and its missing parents; true when it exists afterwards.
bool CreateFolderTree(const std::string& folder);

} // namespace kq::transmit
