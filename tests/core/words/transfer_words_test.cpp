#include "words/transfer_words.h"

#include <cstddef>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace zvk {
namespace {

template <typename Enum> std::vector<Enum> EveryEnumerator()
{
    std::vector<Enum> every;
    for (std::size_t i = 0; i < static_cast<std::size_t>(Enum::Count); ++i)
        every.push_back(static_cast<Enum>(i));
    return every;
}

// Each is told by its words alone: a status line or a heading shared by two would leave
// the user guessing which it was.
TEST(TransferWordsTest, EveryStageAndEveryMissingThingHasWordsOfItsOwn)
{
    std::set<std::string_view> statuses;
    for (const TransferStage stage : EveryEnumerator<TransferStage>()) {
        const std::string_view status = words::StageStatus(stage);
        EXPECT_TRUE(status.starts_with(words::kStatusIdle)) << status;
        EXPECT_GT(status.size(), words::kStatusIdle.size()) << status;
        statuses.insert(status);
    }
    EXPECT_EQ(statuses.size(), EveryEnumerator<TransferStage>().size());

    std::set<std::string_view> headings;
    for (const Unavailable what : EveryEnumerator<Unavailable>()) {
        const std::string_view heading = words::UnavailableHeading(what);
        EXPECT_TRUE(heading.starts_with("*** ") && heading.ends_with(" ***")) << heading;
        headings.insert(heading);
    }
    EXPECT_EQ(headings.size(), EveryEnumerator<Unavailable>().size());
}

// Only the two sends end in the same words. A transfer done, and nothing else, is a
// notice: zvk prints what the window shows as a notice on its output, the rest on its
// error stream.
TEST(TransferWordsTest, EveryOutcomeHasAMessageOfItsOwnAndOnlyATransferDoneIsANotice)
{
    const std::set<TransferOutcome> done = {TransferOutcome::ConfigurationSent,
                                            TransferOutcome::ListSent, TransferOutcome::Received};
    const std::set<std::string_view> captions = {words::kCaptionError, words::kCaptionNotice,
                                                 words::kCaptionWarning};
    std::set<std::string> texts;
    for (const TransferOutcome outcome : EveryEnumerator<TransferOutcome>()) {
        const words::Message message = words::OutcomeMessage(outcome);
        const auto at = static_cast<int>(outcome);
        EXPECT_FALSE(message.text.empty()) << at;
        EXPECT_TRUE(captions.contains(message.caption)) << at;
        EXPECT_EQ(message.caption == words::kCaptionNotice, done.contains(outcome)) << at;
        if (outcome != TransferOutcome::ListSent)
            texts.insert(message.text);
    }
    EXPECT_EQ(words::OutcomeMessage(TransferOutcome::ListSent).text,
              words::OutcomeMessage(TransferOutcome::ConfigurationSent).text);
    EXPECT_EQ(texts.size(), EveryEnumerator<TransferOutcome>().size() - 1);
}

} // namespace
} // namespace zvk
