// The engine's parsing of Received: lines, dotted quads and networks, and
// the verdict built on it: the one header to include for all of it.
#pragma once

#include "engine/classify.h"
#include "engine/lists.h"
#include "engine/live_settings.h"
#include "engine/networks.h"
#include "engine/received.h"
#include "engine/text_error.h"
#include "engine/verdict.h"
#include "engine/verdict_code.h"
