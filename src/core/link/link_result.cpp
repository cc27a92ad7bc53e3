#include "link/link_result.h"

#include "lang/texts_link.h"

namespace trivex {

std::string LinkResultText(int result) {
  switch (result) {
    case kLinkWriteError: return lang::Tr(tx::link::ResultWriteError);
    case kLinkTimeout: return lang::Tr(tx::link::ResultTimeout);
    case kLinkRejected: return lang::Tr(tx::link::ResultRejected);
    case kLinkChecksum: return lang::Tr(tx::link::ResultChecksum);
    default: return {};
  }
}

}  // namespace trivex
