// The status lines printed over the scene during play. The labels are padded to one width so
// that the numbers line up in the fixed-width font.
#include "GameState.h"

double CrabTotal, StillNeeded;

void StatusDisplay() {
    // Printed in the font the previous frame left selected.
    PrintText("Press u a to finish this level!", 4, 560);
    SetFont(0);
    CrabTotal = InfectedCount + HealthyCount + KilledCount + RescuedCount;
    // Once enough crabs are rescued the count stays at 0 rather than going negative.
    StillNeeded = 0.5 * CrabTotal - RescuedCount;
    if (StillNeeded < 0) StillNeeded = 0;
    PrintText(RtString("Crabs:             ") + CrabTotal, 480, 10);
    PrintText(RtString("Healthy crabs:     ") + HealthyCount, 480, 25);
    PrintText(RtString("Infected crabs:    ") + InfectedCount, 480, 40);
    PrintText(RtString("Killed crabs:      ") + KilledCount, 480, 55);
    PrintText(RtString("Rescued crabs:     ") + RescuedCount, 480, 70);
    PrintText(RtString("Needed to succeed: ") + StillNeeded, 480, 85);
    PrintText(RtString("Lives: ") + Lives, 60, 10);
}
