// The toolkit's global clean-up, called by the application at exit.
#pragma once

// Releases the toolkit's global resources, display data first.
void WtkCleanUp();
