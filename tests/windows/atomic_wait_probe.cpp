// A program that waits on an atomic, as no program of the build may: the build's check
// must find it (see cmake/no_atomic_waits.cmake).
#include <atomic>
#include <thread>

int main()
{
    std::atomic<bool> ready{false};
    std::jthread setter([&ready] {
        ready.store(true);
        ready.notify_all();
    });
    ready.wait(false);
    return 0;
}
