#pragma once

#include "ccheckmessage.h"

#include <vector>

// Why a kind of problem matters and what to do about it, in a few plain sentences; empty for
// CheckKind::Unknown. The check's message texts stay short (scripts read them); this is the
// longer word for people.
const char* ExplainCheckKind(CheckKind kind);

// Every kind a message can have except Unknown, in declaration order.
std::vector<CheckKind> AllCheckKinds();
