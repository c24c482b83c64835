#pragma once

#include "grid/units/gbk_text_codec.h"

// The tests convert exactly as the program does.
using QtTextCodec = grid::GbkTextCodec;
