#pragma once

#include <QByteArray>
#include <chrono>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

namespace test_support {

// Runs `call` and says whether it returned within 5 s. A call stuck reading the FIFO at `fifo`
// (made with mkfifo) is then released: the FIFO is opened for writing and closed, so the reader
// gets an end of file and the test fails instead of hanging.
template <typename Call> bool returnsPromptly(const QByteArray& fifo, Call&& call) {
    std::promise<void> done;
    auto late = std::async(std::launch::async, [&fifo, finished = done.get_future()] {
        const bool timedOut =
            finished.wait_for(std::chrono::seconds(5)) != std::future_status::ready;
        if (const int writer = timedOut ? open(fifo.constData(), O_WRONLY | O_NONBLOCK) : -1;
            writer >= 0) {
            close(writer);
        }
        return timedOut;
    });
    call();
    done.set_value();
    return !late.get();
}

} // namespace test_support
