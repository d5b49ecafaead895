#pragma once
// TNxGrid: the grid control as forms place it. Everything lives in TNxCustomGrid; this class
// gives it the name the program uses and the constructor defaults of a new grid.
#include "grid/NxColumnClasses.h"
#include "grid/NxCustomGrid.h"

class TNxGrid : public TNxCustomGrid {
public:
    explicit TNxGrid(TComponent* owner);
};
