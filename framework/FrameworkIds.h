// String ids of the framework's own texts (framework/framework.rc, included by each program's resources).
#pragma once

#define IDS_FW_UNEXPECTED_ERROR 57001
#define IDS_FW_ERROR_CAPTION    57002
