#pragma once
#include <QColor>
