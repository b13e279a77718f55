#pragma once
// The database layer: Connection, Recordset and quote().
#include "platform/db/connection.h"
#include "platform/db/errors.h"
#include "platform/db/recordset.h"
