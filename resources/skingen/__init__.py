"""Painters for the skin images, icons and resource scripts of vd and vd_uninstall."""
