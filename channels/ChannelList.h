#pragma once
// ChannelList: the channel receiver's records of the announced channels and
// the rules by which announcements and withdrawals change them and the rows
// on screen. The rows live in a list control; the list speaks to them
// through ChannelRows, so the rules run without a window too.

#include "channels/ChannelInfo.h"

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <string>

namespace kq {

// The rows of the channel list, top to bottom; each row carries its record.
class ChannelRows {
public:
    virtual ~ChannelRows() = default;
    virtual int RowCount() const = 0;
    virtual const ChannelInfo* RowRecord(int row) const = 0;
    virtual std::string RowName(int row) const = 0;
    virtual void AppendRow(const ChannelInfo& record) = 0;
    virtual void DeleteRow(int row) = 0;
    virtual void DeleteAllRows() = 0;
    // Asks the servers to announce their channels again.
    virtual void SendQuery() = 0;
};

class ChannelList {
public:
    // The largest datagram the receiver reads.
    static constexpr size_t kMaxDatagram = 5120;

    explicit ChannelList(ChannelRows& rows) : m_rows(rows) {}

    // Applies one received datagram from `server`. True when it was an
    // announcement: `announced` then holds its fields as received (not those
    // of the stored record), for the automatic start.
    bool OnDatagram(const uint8_t* data, size_t length, const std::string& server, ChannelInfo& announced);

    // The first record of (name, server), byte for byte; null when none.
    const ChannelInfo* Find(const std::string& name, const std::string& server) const;

    // Deletes every row and record, then asks for announcements again.
    void Refresh();

    size_t RecordCount() const { return m_records.size(); }

private:
    void OnAnnounce(ChannelInfo& announced);
    void OnWithdraw(const std::string& name);
    int RowOf(const ChannelInfo* record) const;

    ChannelRows& m_rows;
    std::list<std::unique_ptr<ChannelInfo>> m_records;
};

} // namespace kq
