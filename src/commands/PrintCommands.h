// Printing the document as a paged listing: the print dialog proposes the
// page that holds the cursor, then the job prints the chosen pages with a
// progress window that can stop it between pages.
#pragma once

// The handler of File > Print... and of the toolbar's print button.
void DoPrint();
