#include "channels/ChannelList.h"

#include "common/ChannelAnnounce.h"
#include "common/ChannelWithdraw.h"

namespace kq {

bool ChannelList::OnDatagram(const uint8_t* data, size_t length, const std::string& server, ChannelInfo& announced)
{
    if (data == nullptr || length == 0 || length > kMaxDatagram)
        return false;
    ChannelAnnounceFields fields;
    if (ParseChannelAnnounce(data, length, fields)) {
        announced = ChannelInfo{fields.name, server, fields.value, fields.state, fields.port, fields.flag};
        OnAnnounce(announced);
        return true;
    }
    std::string name;
    if (ParseChannelWithdraw(data, length, name))
        OnWithdraw(name);
    // Queries (our own among them), short datagrams and other kinds change nothing.
    return false;
}

const ChannelInfo* ChannelList::Find(const std::string& name, const std::string& server) const
{
    for (const auto& record : m_records) {
        if (record->name == name && record->server == server)
            return record.get();
    }
    return nullptr;
}

int ChannelList::RowOf(const ChannelInfo* record) const
{
    for (int row = 0; row < m_rows.RowCount(); ++row) {
        if (m_rows.RowRecord(row) == record)
            return row;
    }
    return -1;
}

void ChannelList::OnAnnounce(ChannelInfo& announced)
{
    ChannelInfo* record = const_cast<ChannelInfo*>(Find(announced.name, announced.server));
    if (record == nullptr) {
        m_records.push_back(std::make_unique<ChannelInfo>(announced));
        if (announced.state != kChannelStopped)
            m_rows.AppendRow(*m_records.back());
        return;
    }
    // A known channel: only its state changes; value, port and flag stay
    // as first announced.
    const int row = RowOf(record);
    if (row >= 0 && announced.state == kChannelStopped)
        m_rows.DeleteRow(row);
    else if (row < 0 && announced.state != kChannelStopped)
        m_rows.AppendRow(*record);
    record->state = announced.state;
}

void ChannelList::OnWithdraw(const std::string& name)
{
    // By name alone, whatever the server, and only among the rows shown.
    for (int row = 0; row < m_rows.RowCount(); ++row) {
        if (m_rows.RowName(row) != name)
            continue;
        const ChannelInfo* record = m_rows.RowRecord(row);
        m_rows.DeleteRow(row);
        m_records.remove_if([record](const std::unique_ptr<ChannelInfo>& r) { return r.get() == record; });
        return;
    }
}

void ChannelList::Refresh()
{
    m_rows.DeleteAllRows();
    m_records.clear();
    m_rows.SendQuery();
}

} // namespace kq
