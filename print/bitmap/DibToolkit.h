#pragma once
// Everything the bitmap toolkit offers, for callers that use more than one part of it.

#include "print/bitmap/DibConvert.h"
#include "print/bitmap/DibFile.h"
#include "print/bitmap/DibImage.h"
#include "print/bitmap/DibPalette.h"
#include "print/bitmap/DibPixels.h"
#include "print/bitmap/MedianCut.h"
