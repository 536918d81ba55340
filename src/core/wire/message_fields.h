#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "system/result.h"
#include "wire/rapi_command.h"
#include "wire/wire_reader.h"
#include "wire/wire_writer.h"

namespace zvk::wire {

// The longest name a search entry holds, in UTF-16 characters, its NUL included.
inline constexpr std::uint32_t kMaxEntryNameChars = 260;

// A Remote API message is described once, by a function template `Transcribe(fields,
// message, ...)` that names its fields in order; FieldWriter writes them and FieldReader
// reads them, so that the desktop's requests and the handheld's replies, and the device
// emulator's reading of them, can never disagree on a field's place or form.
class FieldWriter
{
public:
    // A request opens with its command word; a reply with nothing of its own.
    void Request(RapiCommand command);
    void Reply(RapiCommand) {}

    void U32(std::string_view field, std::uint32_t value);
    // A u32 the reader refuses over `limit`.
    void Count(std::string_view field, std::uint32_t value, std::uint32_t limit);
    void Bool(std::string_view field, bool value);
    // A word the desktop always sends as zero (a null pointer, a false flag).
    void Zero(std::string_view field);
    // A string of the Remote API; a null pointer where the call allows one.
    void String(std::string_view field, const std::optional<std::u16string>& text);
    // A string that may not be a null pointer.
    void Name(std::string_view field, const std::u16string& text);
    // A u32 count, then that many bytes; the reader refuses more than `limit`.
    void Data(std::string_view field, const std::string& data, std::uint32_t limit);
    // The out-parameter for the high half of a file size in a request: 1, 4, 0 when the
    // caller wants it, 0 for a null pointer.
    void SizeHighWanted(std::string_view field, bool wanted);
    // The same block in a reply: 1, 4, 1 and the value, or 0 when there is none.
    void SizeHigh(std::string_view field, const std::optional<std::uint32_t>& value);
    // A name in two parts, as a search entry holds it: its byte size (its NUL counted)
    // first, its text with the NUL after the entry's other fields.
    void NameSize(std::string_view field, const std::u16string& name, std::uint32_t& nameBytes);
    void NameText(std::string_view field, const std::u16string& name, std::uint32_t nameBytes);

    // A u32 count, then each item as `each(fields, item)` transcribes it.
    template <class T, class Each>
    void List(std::string_view field, std::vector<T>& items, std::uint32_t, Each each)
    {
        U32(field, static_cast<std::uint32_t>(items.size()));
        for (T& item : items)
            each(*this, item);
    }

    const std::string& Message() const
    {
        return m_writer.Message();
    }

private:
    WireWriter m_writer;
};

class FieldReader
{
public:
    explicit FieldReader(std::string_view payload);

    // Names the message in failures; a request's command word must be `command`.
    void Request(RapiCommand command);
    void Reply(RapiCommand command);

    void U32(std::string_view field, std::uint32_t& value);
    void Count(std::string_view field, std::uint32_t& value, std::uint32_t limit);
    void Bool(std::string_view field, bool& value);
    void Zero(std::string_view field);
    void String(std::string_view field, std::optional<std::u16string>& text);
    void Name(std::string_view field, std::u16string& text);
    void Data(std::string_view field, std::string& data, std::uint32_t limit);
    void SizeHighWanted(std::string_view field, bool& wanted);
    // A reply may leave the block out altogether: no value then.
    void SizeHigh(std::string_view field, std::optional<std::uint32_t>& value);
    // The size, at most 260 characters' worth; the text with or without its NUL, and
    // refused with a NUL before its end, which would make the desktop's copy of the name
    // shorter than the handheld's file.
    void NameSize(std::string_view field, std::u16string& name, std::uint32_t& nameBytes);
    void NameText(std::string_view field, std::u16string& name, std::uint32_t nameBytes);

    // Reads the count, refused over `limit`, then the items until one is not there.
    template <class T, class Each>
    void List(std::string_view field, std::vector<T>& items, std::uint32_t limit, Each each)
    {
        const std::uint32_t count = m_reader.Count(field, limit);
        for (std::uint32_t i = 0; i < count && m_reader.Ok(); ++i)
            each(*this, items.emplace_back());
    }

    template <class T> Result<T> Finish(T value)
    {
        return m_reader.Finish(std::move(value));
    }

private:
    void ReadSizeHighBlockSize(std::string_view field);

    WireReader m_reader;
};

// A message's payload, and a payload's message. `context` is what the message's
// description needs besides its fields (the flags of a search, the call a reply answers).
template <class Message, class... Context>
std::string Encode(Message message, const Context&... context)
{
    FieldWriter fields;
    Transcribe(fields, message, context...);
    return fields.Message();
}

template <class Message, class... Context>
Result<Message> Decode(std::string_view payload, const Context&... context)
{
    FieldReader fields(payload);
    Message message;
    Transcribe(fields, message, context...);
    return fields.Finish(std::move(message));
}

} // namespace zvk::wire
