#include "grid/NxGrid.h"

TNxGrid::TNxGrid(TComponent* owner) : TNxCustomGrid(owner) {}
