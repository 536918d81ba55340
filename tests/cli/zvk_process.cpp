#include "zvk_process.h"

#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "support/file_bytes.h"

extern char** environ;

namespace fs = std::filesystem;

namespace zvk::cli {
namespace {

constexpr std::chrono::milliseconds kPollInterval{10};

} // namespace

ZvkProcess::ZvkProcess(const Arguments& arguments, const fs::path& outputFolder,
                       const std::string& name)
    : m_err(outputFolder / (name + ".err"))
{
    const std::string out = (outputFolder / (name + ".out")).string();
    std::vector<std::string> words{ZVK_CLI_PATH};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, m_err.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    m_started = std::chrono::steady_clock::now();
    EXPECT_EQ(posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
}

ZvkProcess::~ZvkProcess()
{
    Kill();
}

std::optional<int> ZvkProcess::WaitFor(std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!m_status && m_pid > 0) {
        int status = 0;
        if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_ended = std::chrono::steady_clock::now();
            m_status = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
        } else if (std::chrono::steady_clock::now() >= deadline) {
            break;
        } else {
            std::this_thread::sleep_for(kPollInterval);
        }
    }
    return m_status;
}

bool ZvkProcess::WaitForErr(const std::string& text, std::chrono::milliseconds timeout) const
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (Err().find(text) == std::string::npos) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(kPollInterval);
    }
    return true;
}

void ZvkProcess::Kill()
{
    if (m_pid <= 0 || m_status)
        return;
    kill(m_pid, SIGKILL);
    int status = 0;
    waitpid(m_pid, &status, 0);
    m_status = -SIGKILL;
    m_ended = std::chrono::steady_clock::now();
}

void ZvkProcess::Signal(int number) const
{
    if (m_pid > 0 && !m_status)
        kill(m_pid, number);
}

std::string ZvkProcess::Err() const
{
    return test::FileBytes(m_err);
}

std::chrono::steady_clock::duration ZvkProcess::RunTime() const
{
    return m_ended - m_started;
}

} // namespace zvk::cli
