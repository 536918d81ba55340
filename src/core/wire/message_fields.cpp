#include "wire/message_fields.h"

namespace zvk::wire {
namespace {

// The optional blocks of the high half of a file size hold one u32.
constexpr std::uint32_t kSizeHighBytes = 4;
constexpr std::uint32_t kMaxEntryNameBytes = kMaxEntryNameChars * 2;

} // namespace

void FieldWriter::Request(RapiCommand command)
{
    m_writer.U32(static_cast<std::uint32_t>(command));
}

void FieldWriter::U32(std::string_view, std::uint32_t value)
{
    m_writer.U32(value);
}

void FieldWriter::Count(std::string_view, std::uint32_t value, std::uint32_t)
{
    m_writer.U32(value);
}

void FieldWriter::Bool(std::string_view, bool value)
{
    m_writer.U32(value ? 1 : 0);
}

void FieldWriter::Zero(std::string_view)
{
    m_writer.U32(0);
}

void FieldWriter::String(std::string_view, const std::optional<std::u16string>& text)
{
    m_writer.String(text);
}

void FieldWriter::Name(std::string_view, const std::u16string& text)
{
    m_writer.String(text);
}

void FieldWriter::Data(std::string_view, const std::string& data, std::uint32_t)
{
    m_writer.U32(static_cast<std::uint32_t>(data.size())).Bytes(data);
}

void FieldWriter::SizeHighWanted(std::string_view, bool wanted)
{
    if (wanted)
        m_writer.U32(1).U32(kSizeHighBytes).U32(0);
    else
        m_writer.U32(0);
}

void FieldWriter::SizeHigh(std::string_view, const std::optional<std::uint32_t>& value)
{
    if (value)
        m_writer.U32(1).U32(kSizeHighBytes).U32(1).U32(*value);
    else
        m_writer.U32(0);
}

void FieldWriter::NameSize(std::string_view, const std::u16string& name, std::uint32_t& nameBytes)
{
    nameBytes = static_cast<std::uint32_t>((name.size() + 1) * 2);
    m_writer.U32(nameBytes);
}

void FieldWriter::NameText(std::string_view, const std::u16string& name, std::uint32_t)
{
    m_writer.Utf16(name).U16(0);
}

FieldReader::FieldReader(std::string_view payload) : m_reader(payload, "message") {}

void FieldReader::Request(RapiCommand command)
{
    m_reader.Describe(RequestName(command));
    ReadCommand(m_reader, command);
}

void FieldReader::Reply(RapiCommand command)
{
    m_reader.Describe(ReplyName(command));
}

void FieldReader::U32(std::string_view field, std::uint32_t& value)
{
    value = m_reader.U32(field);
}

void FieldReader::Count(std::string_view field, std::uint32_t& value, std::uint32_t limit)
{
    value = m_reader.Count(field, limit);
}

void FieldReader::Bool(std::string_view field, bool& value)
{
    value = m_reader.U32(field) != 0;
}

void FieldReader::Zero(std::string_view field)
{
    m_reader.U32(field);
}

void FieldReader::String(std::string_view field, std::optional<std::u16string>& text)
{
    text = m_reader.String(field);
}

void FieldReader::Name(std::string_view field, std::u16string& text)
{
    text = m_reader.RequiredString(field);
}

void FieldReader::Data(std::string_view field, std::string& data, std::uint32_t limit)
{
    const std::uint32_t count = m_reader.Count(field, limit);
    data = m_reader.Bytes(count, field);
}

void FieldReader::ReadSizeHighBlockSize(std::string_view field)
{
    if (m_reader.U32(field) != kSizeHighBytes && m_reader.Ok())
        m_reader.Refuse(field, "is no block of 4 bytes");
}

void FieldReader::SizeHighWanted(std::string_view field, bool& wanted)
{
    wanted = m_reader.Flag(field);
    if (!wanted)
        return;
    ReadSizeHighBlockSize(field);
    if (m_reader.Flag(field))
        m_reader.Refuse(field, "holds a value in a request");
}

void FieldReader::SizeHigh(std::string_view field, std::optional<std::uint32_t>& value)
{
    value.reset();
    if (m_reader.Remaining() == 0 || !m_reader.Flag(field))
        return;
    ReadSizeHighBlockSize(field);
    if (m_reader.Flag(field))
        value = m_reader.U32(field);
}

void FieldReader::NameSize(std::string_view field, std::u16string&, std::uint32_t& nameBytes)
{
    nameBytes = m_reader.Count(field, kMaxEntryNameBytes);
}

void FieldReader::NameText(std::string_view field, std::u16string& name, std::uint32_t nameBytes)
{
    name = m_reader.Utf16(nameBytes, field);
    if (!name.empty() && name.back() == u'\0')
        name.pop_back();
    if (name.find(u'\0') != std::u16string::npos) {
        m_reader.Refuse(field, "holds a NUL before its end");
        name.clear();
    }
}

} // namespace zvk::wire
