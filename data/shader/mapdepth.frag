#version 330 core
// The map's depth alone, drawn before its shading (colour writes are off) so that each pixel of
// the map is shaded once, by the block nearest to the eye.

void main()
{
}
