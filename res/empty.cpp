// Anchor for the built-in resources; the resource objects carry the data.
