#include "report_process.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <system_error>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

namespace fs = std::filesystem;

namespace zvk::bench {

ReportRun RunReport(const fs::path& zvk, const fs::path& folder, const fs::path& output,
                    const std::vector<std::string>& arguments)
{
    std::vector<std::string> all = {
        zvk.string(), "report",        "--folder", folder.string(),
        "--output",   output.string(), "--config", ZVK_SAMPLE_CONFIGURATION};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : all)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    // Each report makes its document anew, as the program's time-stamped ones are.
    std::error_code ignored;
    fs::remove(output, ignored);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return {};
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return {};
    return {took.count(), usage.ru_maxrss};
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

fs::path UseCacheFolderIn(const fs::path& root)
{
    const fs::path cache = root / "cache";
    fs::remove_all(cache);
    fs::create_directories(cache);
    setenv("XDG_CACHE_HOME", cache.c_str(), 1);
    return cache;
}

} // namespace zvk::bench
