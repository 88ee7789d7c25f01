#pragma once
// The Qt layer may include Qt, the window framework and the program's start-up.
#include <QWidget>

#include "app/Windows.h"
#include "forms/Form.h"
