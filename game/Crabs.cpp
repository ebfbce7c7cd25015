// The crabs: they wander over the beach, flee from the hero, pass the virus on to each other
// and leave the field at the water line, rescued when healthy and dead when infected.
#include "GameState.h"

NumArray CrabHeading, CrabPosition, CrabVelocity, CrabStatus;
NumArray CrabCell, CellFirstCrab;
double VirusClock;
double GroundBlinkClock, GroundBlinkPhase;

// The ground's arrows point the way to the water: they blink for the first 8 seconds of a
// level, about 0.4 s on and 0.4 s off, and then the ground stays plain.
void ChooseGroundTexture() {
    GroundBlinkClock += FrameFactor;
    if (GroundBlinkClock > 80) {
        GroundBlinkClock = 81;
        SetTexture3D(10, -1);
        return;
    }
    GroundBlinkPhase += FrameFactor;
    if (GroundBlinkPhase >= 0) SetTexture3D(0, -1);
    if (GroundBlinkPhase >= 4) GroundBlinkPhase = -4;
    if (GroundBlinkPhase < 0) SetTexture3D(10, -1);
}

// Counts, draws and moves every crab. A crab that reaches the water in this frame is still
// counted and drawn as it was, and is rescued or dead from the next frame on.
void HandleCrabs() {
    HealthyCount = 0;
    InfectedCount = 0;
    KilledCount = 0;
    RescuedCount = 0;
    for (double i = 0; i <= LastCrab; i++) {
        if (CrabStatus(i, kCrabState) == kRescued) {
            RescuedCount += 1;
            continue;
        }
        if (CrabStatus(i, kCrabState) == kKilled) {
            KilledCount += 1;
            continue;
        }
        if (CrabStatus(i, kCrabState) == kHealthy) {
            if (CrabPosition(i, kCrabZ) >= kWaterLine) {
                CrabStatus(i, kCrabState) = kRescued;
                PlaySound(5, 0, 1);
            }
            HealthyCount += 1;
            SetTexture3D(2, -1);
        }
        if (CrabStatus(i, kCrabState) == kInfected) {
            if (CrabPosition(i, kCrabZ) >= kWaterLine) {
                CrabStatus(i, kCrabState) = kKilled;
                PlaySound(5, 0, 1);
            }
            InfectedCount += 1;
            SetTexture3D(5, -1);
        }
        const double x = CrabPosition(i, kCrabX);
        const double z = CrabPosition(i, kCrabZ);
        MoveObject(x, 0, z);
        RotateObject(CrabHeading(i), 0, 1, 0);
        DrawObject(2, 0);
        SetTexture3D(4, -1);
        MoveObject(x - 10, -60, z - 10);
        RotateObject(0, 0, 1, 0);
        DrawObject(4, 0);

        CheatKeys(i);
        CrabStep(i);
        CrabFlee(i);
        TurnTowards(CrabVelocity(i, kCrabX), CrabVelocity(i, kCrabZ), i);
    }
}

// The field in cells of 40 x 40, the distance of contagion, for finding the crabs near a crab
// without looking at every crab: a crab closer than 40 stands in one of the 3 x 3 cells around.
// Each cell keeps a list of the crabs standing in it. Positions beyond the field count to the
// cells at its edge.
const double kCellSize = 40;
const double kCellColumns = 47; // x from -930 to 930
const double kCellRows = 243;   // z from -4640 to the water line at 5000 and a little beyond

// Mod keeps the whole part of the cell number.
double CellColumn(double x) {
    double column = (x - kFieldLeft) / kCellSize;
    if (column < 0) column = 0;
    if (column > kCellColumns - 1) column = kCellColumns - 1;
    return Mod(column, kCellColumns);
}

double CellRow(double z) {
    double row = (z - kFieldBack) / kCellSize;
    if (row < 0) row = 0;
    if (row > kCellRows - 1) row = kCellRows - 1;
    return Mod(row, kCellRows);
}

// Empties every cell and files each crab in the cell it stands in (at the start of a level).
void FileCrabsInCells() {
    DimArray(CellFirstCrab, kCellColumns, kCellRows, 0, 0);
    DimArray(CrabCell, LastCrab + 2, 4, 0, 0);
    for (double i = 0; i <= LastCrab; i++) {
        CrabCell(i, kCellColumn) = -1;
        UpdateCrabCell(i);
    }
}

// Moves crab i into the list of the cell it now stands in, when that changed.
void UpdateCrabCell(double i) {
    const double column = CellColumn(CrabPosition(i, kCrabX));
    const double row = CellRow(CrabPosition(i, kCrabZ));
    if (column == CrabCell(i, kCellColumn) && row == CrabCell(i, kCellRow)) return;
    if (CrabCell(i, kCellColumn) >= 0) {
        const double previous = CrabCell(i, kPreviousInCell);
        const double next = CrabCell(i, kNextInCell);
        if (previous > 0)
            CrabCell(previous - 1, kNextInCell) = next;
        else
            CellFirstCrab(CrabCell(i, kCellColumn), CrabCell(i, kCellRow)) = next;
        if (next > 0) CrabCell(next - 1, kPreviousInCell) = previous;
    }
    const double first = CellFirstCrab(column, row);
    CrabCell(i, kCellColumn) = column;
    CrabCell(i, kCellRow) = row;
    CrabCell(i, kPreviousInCell) = 0;
    CrabCell(i, kNextInCell) = first;
    if (first > 0) CrabCell(first - 1, kPreviousInCell) = i + 1;
    CellFirstCrab(column, row) = i + 1;
}

// Wandering and contagion: the crab walks diagonally for a while, then picks a new direction
// and a new time; an infected crab closer than 40 passes the virus on.
void CrabStep(double i) {
    CrabStatus(i, kWanderClock) += FrameFactor * 10;
    CrabPosition(i, kCrabX) += CrabVelocity(i, kCrabX);
    CrabPosition(i, kCrabZ) += CrabVelocity(i, kCrabZ);

    // Only infected crabs in the cells around crab i can be closer than 40.
    const double x = CrabPosition(i, kCrabX);
    const double z = CrabPosition(i, kCrabZ);
    for (double row = CellRow(z - 40); row <= CellRow(z + 40); row++) {
        for (double column = CellColumn(x - 40); column <= CellColumn(x + 40); column++) {
            for (double j = CellFirstCrab(column, row) - 1; j >= 0;
                 j = CrabCell(j, kNextInCell) - 1) {
                if (CrabStatus(j, kCrabState) != kInfected) continue;
                const double otherX = CrabPosition(j, kCrabX);
                const double otherZ = CrabPosition(j, kCrabZ);
                // A crab never infects itself: crabs on the same line of x or z are skipped too.
                if (x == otherX || z == otherZ) continue;
                if (Sqrt((x - otherX) * (x - otherX) + (z - otherZ) * (z - otherZ)) < 40) {
                    CrabStatus(i, kCrabState) = kInfected;
                    PlaySound(2, 0, 1);
                }
            }
        }
    }

    if (CrabPosition(i, kCrabX) < kFieldLeft) CrabPosition(i, kCrabX) = kFieldLeft;
    if (CrabPosition(i, kCrabX) > kFieldRight) CrabPosition(i, kCrabX) = kFieldRight;
    if (CrabPosition(i, kCrabZ) < kFieldBack) CrabPosition(i, kCrabZ) = kFieldBack;
    UpdateCrabCell(i);

    // Time for a new direction: 0.2 to 1 s of walking, half a step on each axis.
    if (CrabStatus(i, kWanderClock) >= CrabStatus(i, kWanderDuration)) {
        CrabStatus(i, kWanderDuration) = 20 + Random(80);
        CrabStatus(i, kWanderClock) = 0;
        CrabVelocity(i, kCrabX) = (Random(1) - 0.5) * StepFactor * CrabSpeed;
        CrabVelocity(i, kCrabZ) = (Random(1) - 0.5) * StepFactor * CrabSpeed;
    }
}

// The hero's influence: a crab within 300 runs straight away from it at a full step and keeps
// running for 4 s; one within 100 is crushed while the stamp is down.
void CrabFlee(double i) {
    const double dx = CrabPosition(i, kCrabX) - HeroX;
    const double dz = CrabPosition(i, kCrabZ) - HeroZ;
    const double d = Sqrt(dx * dx + dz * dz);
    // A crab right on the hero's point has no direction to run in; it keeps its step.
    if (d <= 300 && d > 0) {
        CrabVelocity(i, kCrabX) = dx / d * StepFactor * CrabSpeed;
        CrabVelocity(i, kCrabZ) = dz / d * StepFactor * CrabSpeed;
        CrabStatus(i, kWanderDuration) = 400;
        CrabStatus(i, kWanderClock) = 0;
    }
    if (d <= 100 && MouseButton1 == 1) {
        PlaySound(4, 0, 1);
        CrabStatus(i, kCrabState) = kKilled;
    }
}

// Turns the heading in CrabHeading(row) toward the direction (vx, vz) by at most 10 degrees.
// There is no wrap-around at 360: the heading passes through every value between the old and
// the new one. Standing still keeps the heading.
void TurnTowards(double vx, double vz, double row) {
    const double len = Sqrt(vx * vx + vz * vz);
    if (len == 0) return;
    double a = ASinDeg(vz / len);
    if (vx < 0 && vz > 0) a = 90 - a;
    if (vx >= 0 && vz >= 0) a = 180 - a;
    if (vx > 0 && vz < 0) a = 180 - a;

    if (a > CrabHeading(row)) {
        CrabHeading(row) += 10;
        if (CrabHeading(row) > a) CrabHeading(row) = a;
    } else if (a < CrabHeading(row)) {
        CrabHeading(row) -= 10;
        if (CrabHeading(row) < a) CrabHeading(row) = a;
    }
}

// Every 20 s of play the virus strikes a random crab (never the last one); it takes hold only
// in a healthy crab.
void RandomInfection() {
    VirusClock += FrameFactor;
    if (VirusClock < 200) return;
    VirusClock = 0;
    const double k = Random(LastCrab - 1);
    if (CrabStatus(k, kCrabState) == kHealthy) {
        CrabStatus(k, kCrabState) = kInfected;
        PlaySound(2, 0, 1);
    }
}
