#include "platform/ddraw/display_loss.h"

namespace {
unsigned gLossCount = 0;
} // namespace

unsigned vtl::displayLossCount() { return gLossCount; }

void vtl::noteDisplayLoss() { ++gLossCount; }
