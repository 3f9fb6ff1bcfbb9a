#include "fakeplatform.h"
