#include "expr/DeepStack.h"

#include <pthread.h>

#include <cstddef>
#include <exception>

namespace quorvel::expr {

namespace {

constexpr std::size_t kOwnStackBytes = 128u << 20;

struct Job {
    const std::function<void()>* work;
    std::exception_ptr failure;
};

void* runJob(void* job) {
    Job& j = *static_cast<Job*>(job);
    try {
        (*j.work)();
    } catch (...) {
        j.failure = std::current_exception();
    }
    return nullptr;
}

} // namespace

bool runOnDeepStack(const std::function<void()>& work) {
    Job job{&work, nullptr};
    pthread_attr_t attributes;
    pthread_t thread;
    if (pthread_attr_init(&attributes) != 0) return false;
    const bool started = pthread_attr_setstacksize(&attributes, kOwnStackBytes) == 0 &&
                         pthread_create(&thread, &attributes, runJob, &job) == 0;
    pthread_attr_destroy(&attributes);
    if (!started) return false;
    pthread_join(thread, nullptr);
    if (job.failure) std::rethrow_exception(job.failure);
    return true;
}

} // namespace quorvel::expr
