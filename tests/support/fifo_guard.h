#pragma once

#include <QByteArray>
#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace test_support {

// A FIFO made for a test, and a guard around a call that must not wait on it: when the call has
// not returned after 5 s, the guard opens the FIFO for writing and closes it, so a reader stuck
// on it gets an end of file and the test fails instead of hanging.
class FifoGuard {
  public:
    explicit FifoGuard(QByteArray path) : path_(std::move(path)) {
        ::mkfifo(path_.constData(), 0600);
    }

    // Whether `call` returned within 5 s.
    template <typename Call> bool returnsPromptly(Call&& call) const {
        std::promise<void> done;
        std::future<void> finished = done.get_future();
        std::atomic<bool> late = false;
        std::thread watchdog([&] {
            if (finished.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
                late = true;
                const int writer = ::open(path_.constData(), O_WRONLY | O_NONBLOCK);
                if (writer >= 0) {
                    ::close(writer);
                }
            }
        });
        call();
        done.set_value();
        watchdog.join();
        return !late;
    }

  private:
    QByteArray path_;
};

} // namespace test_support
