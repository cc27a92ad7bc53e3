#include "app/app_state.h"

#include <atomic>

namespace trivex {
namespace {
std::atomic<bool> g_user_abort{false};
}

bool UserAbort() { return g_user_abort.load(); }
void SetUserAbort(bool value) { g_user_abort.store(value); }

}  // namespace trivex
