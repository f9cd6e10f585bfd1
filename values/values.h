// Everything of the value model in one include.
#pragma once

#include "values/buffer.h"
#include "values/convert.h"
#include "values/cp1252.h"
#include "values/date.h"
#include "values/error.h"
#include "values/font.h"
#include "values/generic.h"
#include "values/handle.h"
#include "values/list.h"
#include "values/pool.h"
#include "values/region.h"
#include "values/string.h"
#include "values/table.h"
#include "values/text.h"
#include "values/types.h"
