#include "app/app_state.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace trivex {
namespace {
std::atomic<bool> g_user_abort{false};
}

void AppUi::Wait(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

bool UserAbort() { return g_user_abort.load(); }
void SetUserAbort(bool value) { g_user_abort.store(value); }

}  // namespace trivex
