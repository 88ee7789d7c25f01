#pragma once
// A core header that reaches up into a window module and into Qt: the layer check refuses both.
#include <QString>

#include "core/Constants.h"
#include "energy/AnnualEnergy.h"
