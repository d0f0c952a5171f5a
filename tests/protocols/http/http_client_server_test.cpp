// Placeholder until the nginx and tinyproxy group lands.
